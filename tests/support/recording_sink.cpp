#include "recording_sink.h"

void RecordingSink::ShowMessage(const std::string& text) {
    calls.push_back("message:" + text);
}
void RecordingSink::BeginWaitCursor() {
    calls.push_back("begin");
}
void RecordingSink::EndWaitCursor() {
    calls.push_back("end");
}

std::vector<std::string> RecordingSink::messages() const {
    std::vector<std::string> result;
    for (const std::string& call : calls) {
        if (call.rfind("message:", 0) == 0) result.push_back(call.substr(8));
    }
    return result;
}

std::vector<std::string> CallsOfRunEndingWith(const std::string& message) {
    return {"begin", "end", "message:" + message};
}
