#pragma once

// Lets SIGTERM end the application's event loop, so a session logging out or a service manager
// stopping the program ends it as the close button does and the exit status is 0. Call once,
// on the user-interface thread, after the application object exists.
void QuitOnTerminationSignal();
