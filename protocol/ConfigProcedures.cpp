#include "protocol/ConfigProcedures.h"

#include <cstdint>

namespace protocol {

namespace {

constexpr FrameTemplate fixed(bool toggle, int channel, int data)
{
    return {toggle, channel, data, false};
}

constexpr FrameTemplate value(int channel)
{
    return {true, channel, 0, true};
}

constexpr ButtonFrames one(FrameTemplate f)
{
    return {{f, FrameTemplate{}}, 1};
}

constexpr ButtonFrames two(FrameTemplate a, FrameTemplate b)
{
    return {{a, b}, 2};
}

constexpr ButtonFrames none()
{
    return {};
}

// Address, brightness and pin share one layout: value on channel 0, store pair on
// channel 1, cancel (1, 2, 0). The oscillator uses channel 0 for its frequency buttons,
// so its value goes on channel 1 and its store pair and cancel on channel 2.
constexpr ProcedureCommands common(const char* name, int mode, ValueRule rule, bool selectsAddress)
{
    return {name,
            mode,
            rule,
            false,
            selectsAddress,
            one(fixed(true, ChannelControl, mode)),
            one(value(0)),
            none(),
            none(),
            two(fixed(true, 1, 0), fixed(false, 1, 0)),
            one(fixed(true, 2, 0))};
}

const std::array<ProcedureCommands, 4> table = {{
    {"oscillator calibration",
     2,
     ValueRule::Osccal,
     true,
     false,
     one(fixed(true, ChannelControl, 2)),
     one(value(1)),
     one(fixed(true, 0, 0)),
     one(fixed(true, 0, 1)),
     two(fixed(true, 2, 0), fixed(false, 2, 0)),
     one(fixed(true, 2, 1))},
    common("module address", 3, ValueRule::Address, true),
    common("brightness", 4, ValueRule::Brightness, false),
    common("multi-function pin", 5, ValueRule::PinPosition, false),
}};

} // namespace

const ButtonFrames& ProcedureCommands::button(ProcedureButton which) const
{
    switch (which) {
    case ProcedureButton::Step1: return step1;
    case ProcedureButton::Transfer: return transfer;
    case ProcedureButton::FrequencyUp: return frequencyUp;
    case ProcedureButton::FrequencyDown: return frequencyDown;
    case ProcedureButton::Store: return store;
    case ProcedureButton::Cancel: break;
    }
    return cancel;
}

const std::array<ProcedureCommands, 4>& procedures()
{
    return table;
}

int procedureValueData(ValueRule rule, int value)
{
    std::int64_t v = value;
    if (rule == ValueRule::Brightness)
        v = v * 256 / 100;  // 100 % gives 256: the module receives 0 (its firmware expects that)
    return int(std::uint8_t(v));
}

std::vector<ChannelFrame> procedureFrames(const ProcedureCommands& procedure, ProcedureButton button,
                                          int value)
{
    const ButtonFrames& b = procedure.button(button);
    std::vector<ChannelFrame> out;
    out.reserve(std::size_t(b.count));
    for (int i = 0; i < b.count; ++i) {
        const FrameTemplate& f = b.frames[std::size_t(i)];
        out.push_back({f.toggle, f.channel, f.dataIsValue ? procedureValueData(procedure.rule, value) : f.data});
    }
    return out;
}

} // namespace protocol
