#include "converter_app.h"

wxIMPLEMENT_APP(CConverterApp);
