// Program entry: hands the command line to the shell.
#include "shell/shell.h"

int main(int argc, char** argv) { return RunGame(argc, argv); }
