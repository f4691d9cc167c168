#pragma once

// Starts the one offscreen QApplication of a fuzzer's whole run: text documents lay out with
// fonts and windows need an application. Call it from LLVMFuzzerInitialize.
void StartFuzzApplication(int* argc, char*** argv);
