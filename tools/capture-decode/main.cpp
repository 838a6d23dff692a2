// capture-decode [--csv] FILE
//
// Prints what the tool logged, or would have logged, for the reports in a capture file: the
// report and bad-tail lines in stream order, without time stamps and line ends. With --csv,
// a table of the decoded reports instead. The file is replayed through the reader loop in
// reads of the reader's size, so the result is what the reader logs for the same bytes.
#include "dbg_output.h"
#include "replay_report_source.h"
#include "report_decoder.h"
#include "report_reader.h"
#include "report_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char kUsage[] = "usage: capture-decode [--csv] FILE\n"
                      "  Prints the report lines the radar tool logs for the bytes of a capture file\n"
                      "  (.dat), one per line; --csv prints one row per decoded report instead.\n"
                      "  Exit status: 0, 1 when FILE cannot be read, 2 for wrong usage.\n";

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    uint8_t block[65536];
    size_t count;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + count);
    bool ok = !std::ferror(file);
    int error = errno;
    std::fclose(file);
    errno = error;
    return ok;
}

// Prints a log line without its CR LF.
void PrintLine(void*, int, const char* bytes, int length) {
    std::string_view line(bytes, size_t(length));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char** argv) {
    bool csv = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--csv" && !csv) {
            csv = true;
        } else if (path == nullptr && (argument.empty() || argument[0] != '-')) {
            path = argv[i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (path == nullptr) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        std::fprintf(stderr, "capture-decode: cannot read %s: %s\n", path, std::strerror(errno));
        return 1;
    }

    CurrentReport current;
    ReportDecoder decoder(current, nullptr, nullptr, {});
    ReportTable table(decoder, current);
    std::atomic<int> stop{0};
    ReplayReportSource source(bytes.data(), bytes.size(), stop);
    if (csv) {
        RunReportReader(source, nullptr, stop, table);
        WriteReportCsv(stdout, table.Rows());
    } else {
        DbgOutputSetTimeType(DBG_TIME_NONE);
        DbgOutputAddCallback(&PrintLine, nullptr);
        RunReportReader(source, nullptr, stop, decoder);
        DbgOutputDelCallback(&PrintLine, nullptr);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
