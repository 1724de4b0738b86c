// Program entry of the reader.

#include "window/ProgramEntry.h"

int main(int argc, char** argv)
{
    return RunReaderProgram(argc, argv);
}
