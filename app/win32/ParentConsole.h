#pragma once
// The program is a windowed one on Windows: started from Explorer it opens no
// console. Started from a console without redirection it has no standard
// output or error, so --help, --version and the start-up failures would say
// nothing there: this sends each stream that has no handle to the console of
// the process that started the program, when there is one. Streams already
// given a handle (redirected to a file or pipe, or the Unix descriptors Wine
// hands over) stay as they are. Call first thing in main.
void UseParentConsole();
