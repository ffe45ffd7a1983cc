#pragma once

// Marks the process as a running dxfconv program until it ends, so that the
// installer and the uninstaller can see it and wait rather than replace or
// remove a program in use. Windows only.
void MarkProgramRunning();
