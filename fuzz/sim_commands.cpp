// The simulator's command input: any bytes, cut anywhere, never crash it, never let its input
// buffer grow past one command frame, never put a parameter out of range, and whatever it
// sends back is a well-formed acknowledgement or report.
#include "radar_protocol.h"
#include "sim_model.h"
#include "sim_random.h"
#include "sim_report_frame.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace radarsim;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckAck(const Frame& frame) {
    radar::CommandFrameView view;
    size_t consumed = 0;
    Check(radar::FindCommandFrame(frame.data(), frame.size(), view, consumed) == radar::ScanResult::kFrame);
    Check(view.offset == 0 && consumed == frame.size());
    radar::AckView ack;
    Check(radar::ParseAck(view, ack));
    uint16_t status = radar::ReadU16(ack.afterWord);
    Check(status == 0 || status == 1);
}

void CheckParameters(const ModuleModel& model, int gates) {
    const ModuleParameters& p = model.Parameters();
    Check(p.gates == gates);
    Check(p.movingSensitivity.size() == size_t(gates) && p.motionlessSensitivity.size() == size_t(gates));
    for (int g = 0; g < gates; ++g)
        Check(p.movingSensitivity[size_t(g)] <= 100 && p.motionlessSensitivity[size_t(g)] <= 100);
    // Either the factory value (the highest gate) or one the module accepted.
    Check(p.farthestMovingGate == gates - 1 ||
          (p.farthestMovingGate >= 2 && p.farthestMovingGate <= gates - 1));
    Check(p.farthestMotionlessGate == gates - 1 ||
          (p.farthestMotionlessGate >= 2 && p.farthestMotionlessGate <= gates - 1));
}

} // namespace

// Input: a byte choosing the gate count and the report kind, a byte seeding where the stream
// is cut and how time moves on, then the bytes the host sends.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 16384)
        return 0;
    int gates = (data[0] & 0x7F) == 0x7F ? 256 : 1 + (data[0] & 0x0F);
    ModelOptions options;
    options.gates = gates;
    options.engineering = (data[0] & 0x80) != 0;
    ModuleModel model(options);
    Random random(data[1]);
    data += 2;
    size -= 2;

    uint64_t now = 0;
    size_t position = 0;
    while (position < size) {
        size_t piece = 1 + random.Below(random.Below(4) == 0 ? 1200 : 24);
        if (piece > size - position)
            piece = size - position;
        // An exact-size copy, so a read past the piece is caught.
        std::vector<uint8_t> bytes(data + position, data + position + piece);
        std::vector<Frame> out;
        std::vector<CommandEvent> events;
        model.Receive(bytes.data(), bytes.size(), now, out, events);
        Check(model.BufferedInputSize() <= ModuleModel::kMaxBufferedInput);
        Check(events.size() >= out.size());
        for (const Frame& frame : out)
            CheckAck(frame);
        CheckParameters(model, gates);

        std::vector<Frame> reports;
        model.Tick(now, reports);
        for (const Frame& frame : reports) {
            bool engineering = false;
            ReportData report;
            Check(ParseReportFrame(frame.data(), frame.size(), engineering, report));
            Check(engineering == model.Parameters().engineering);
            Check(frame.size() == ReportFrameSize(engineering, gates));
        }
        Check(reports.empty() || !model.CommandMode());
        now += random.Below(120);
        position += piece;
    }
    return 0;
}
