#include "cli_args.h"

#include <cerrno>
#include <cstdlib>

const char kCliUsage[] =
    "usage: radar-cli PORT [--baud N] COMMAND [options]\n"
    "       radar-cli --port PORT [--baud N] COMMAND [options]\n"
    "       radar-cli list\n"
    "\n"
    "PORT is the serial device, such as /dev/ttyUSB0.\n"
    "\n"
    "commands:\n"
    "  list                             print the serial ports present, one a line (no PORT)\n"
    "  version                          print the module's firmware version\n"
    "  read [--json]                    print gates, farthest gates, off time and sensitivities\n"
    "                                   (--json: as one JSON object)\n"
    "  write --moving-max G --motionless-max G --off-time S\n"
    "                                   set the farthest moving/motionless gate (index) and the\n"
    "                                   seconds without anyone before 'no one' is reported\n"
    "  sens --gate G|all --moving M --motionless S\n"
    "                                   set one gate's (or every gate's) sensitivities (0..100)\n"
    "  stream [--engineering] [--seconds N] [--capture FILE]\n"
    "                                   switch reporting on and print each report as it arrives,\n"
    "                                   for N seconds or until Ctrl-C; FILE receives the raw bytes\n"
    "\n"
    "exit status: 0 success, 1 the module refused or did not answer, 2 wrong usage\n";

namespace {

bool IsCommand(const std::string& word) {
    for (const char* command : {"version", "read", "write", "sens", "stream", "list"})
        if (word == command)
            return true;
    return false;
}

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0';
}

} // namespace

bool ParseCliArguments(const std::vector<std::string>& arguments, CliOptions& options, std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto needValue = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = argument + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        auto needNumber = [&](std::optional<long>& out) {
            std::string text;
            long value = 0;
            if (!needValue(text))
                return false;
            if (!ParseNumber(text, value)) {
                error = argument + " takes a number, not '" + text + "'";
                return false;
            }
            out = value;
            return true;
        };
        bool ok = true;
        std::optional<long> number;
        std::string text;
        if (argument == "--port") {
            ok = needValue(options.port);
        } else if (argument == "--baud") {
            ok = needNumber(number);
            if (ok && (*number <= 0 || *number > 4000000)) {
                error = "--baud must be a positive rate";
                ok = false;
            }
            if (ok)
                options.baud = int(*number);
        } else if (argument == "--moving-max") {
            ok = needNumber(options.movingMax);
        } else if (argument == "--motionless-max") {
            ok = needNumber(options.motionlessMax);
        } else if (argument == "--off-time") {
            ok = needNumber(options.offTime);
        } else if (argument == "--gate") {
            ok = needValue(text);
            if (ok && text == "all") {
                options.gate = -1;
            } else if (ok) {
                long value = 0;
                ok = ParseNumber(text, value) && value >= 0;
                if (!ok)
                    error = "--gate takes a gate index or 'all', not '" + text + "'";
                else
                    options.gate = value;
            }
        } else if (argument == "--moving") {
            ok = needNumber(options.moving);
        } else if (argument == "--motionless") {
            ok = needNumber(options.motionless);
        } else if (argument == "--engineering") {
            options.engineering = true;
        } else if (argument == "--seconds") {
            ok = needNumber(number);
            if (ok && *number < 0) {
                error = "--seconds cannot be negative";
                ok = false;
            }
            if (ok)
                options.seconds = *number;
        } else if (argument == "--capture") {
            ok = needValue(options.capture);
        } else if (argument == "--json") {
            options.json = true;
        } else if (!argument.empty() && argument[0] == '-') {
            error = "unknown option " + argument;
            ok = false;
        } else if (options.command.empty() && IsCommand(argument)) {
            options.command = argument;
        } else if (options.command.empty() && options.port.empty()) {
            options.port = argument; // the port first, as serial tools take it
        } else if (options.command.empty()) {
            options.command = argument;
        } else {
            error = "unexpected argument " + argument;
            ok = false;
        }
        if (!ok)
            return false;
    }

    const std::string& c = options.command;
    if (c == "list")
        return true;
    if (options.port.empty()) {
        error = "no port given";
        return false;
    }
    if (c == "write" && !(options.movingMax && options.motionlessMax && options.offTime)) {
        error = "write needs --moving-max, --motionless-max and --off-time";
        return false;
    }
    if (c == "sens" && !(options.gate && options.moving && options.motionless)) {
        error = "sens needs --gate, --moving and --motionless";
        return false;
    }
    if (!IsCommand(c)) {
        error = c.empty() ? "no command given" : "unknown command " + c;
        return false;
    }
    return true;
}
