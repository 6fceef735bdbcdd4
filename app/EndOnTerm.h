// A SIGTERM (a logout, a shutdown, `kill`) ends the program as its event loop would end, so that
// what the program keeps on its way out is kept.
#pragma once

// Installs the handler; the application must exist.
void endOnTerm();
