#pragma once

#include <string>

// The folder of the running executable, where main.dic and supplement.dic are
// installed beside it; "." when the system cannot say.
std::string ProgramDirectory();
