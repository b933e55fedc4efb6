#pragma once
// The application object. Its start-up, in this order: a multithreaded COM
// apartment with the speed-over-memory flag (8), a 1000 ms pause, the log line
// ">> DeviceGetList", graphMutex, the device selection (Cancel ends the program
// there), programDirectory, and the main window run modally. InitInstance
// always answers FALSE: the program ends when it returns.
//
// The program's names are its file's as the file stand-ins see it
// (GetModuleFileNameW): the application title is the base name, the help file
// path the full path with ".chm". UI thread; main creates the object before
// any window.
#include "platform/ui/CWinApp.h"

class CBDAUtilApp : public CWinApp {
public:
    CBDAUtilApp();

    BOOL InitInstance() override;
};
