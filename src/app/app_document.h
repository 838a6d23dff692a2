// The configuration document of the run and where it lives.
#pragma once

#include "xml_config.h"

#include <string>

// The one configuration document, alive from static initialisation to process exit.
XMLParser& AppConfigDocument();

// The folder that holds the program file (no trailing separator), and files beside it.
std::string ProgramFolder();
std::string AppConfigPath(); // appConfig.xml
std::string LogFolder();     // Log
std::string ProgramFile(const char* relativeName);
