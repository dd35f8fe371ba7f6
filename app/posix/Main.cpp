#include "app/Program.h"

int main() { return meshfold::RunProgram(); }
