// Opening a script file to read it.
#pragma once

#include <fstream>
#include <optional>
#include <string>

// Opens a script file; why it cannot be read, or nothing when it opened.
std::optional<std::string> openScript(std::ifstream& file, const std::string& path);
