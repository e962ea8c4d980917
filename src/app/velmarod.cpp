#include "app/StartForm.h"

int main(int argc, char** argv) { return RunVelmarod(argc, argv); }
