// The VT100 and VT52 parsers, alone and driving the terminal's screen model, and the encoder
// on every code with the parameters just parsed.
#include "fuzz_input.h"
#include "fuzz_support.h"

#include "serial/escape_codes_vt100.h"
#include "serial/escape_codes_vt52.h"
#include "serial/terminal_screen.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::unique_ptr<TEscapeCodes> MakeParser(int kind)
{
    if (kind == 0)
        return std::make_unique<TEscapeCodesVT100>();
    if (kind == 1)
        return std::make_unique<TEscapeCodesVT52>();
    return nullptr; // plain characters only
}

void EncodeEveryCode(const TEscapeCodes &codes, const TEscapeParams &params)
{
    for (int i = 0; i <= static_cast<int>(TEscapeCode::ecTest); ++i)
        (void)codes.EncodeCode(static_cast<TEscapeCode>(i), params);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const int kind = input.TakeInt(0, 2);
    TerminalScreen screen;
    screen.SetColumns(input.TakeInt(0, 300));
    screen.SetRows(input.TakeInt(0, 120));
    screen.SetWrapLines(input.TakeBool());
    screen.SetTermMode(input.TakeBool());
    screen.SetEscapeCodes(MakeParser(kind));
    std::string answers;
    screen.OnSend = [&](const std::string &text) { answers += text; };

    // The bare parser on the same bytes: every parameter it reports must be encodable.
    const std::string_view stream = input.Rest();
    if (auto parser = MakeParser(kind)) {
        for (const char b : stream) {
            if (parser->FeedByte(b) == TEscapeParseResult::epCode) {
                if (parser->Data().size() > TEscapeCodes::MaxSequenceLength)
                    std::abort();
                EncodeEveryCode(*parser, parser->Params());
            }
        }
    }
    // The screen in blocks, as the terminal receives them.
    for (std::size_t at = 0; at < stream.size(); at += 17)
        screen.ShowText(std::string(stream.substr(at, 17)));
    const TTermPosition caret = screen.CaretPos();
    if (caret.Column < 1 || caret.Column > screen.Columns() || caret.Row < 1
        || caret.Row > screen.Rows())
        std::abort();
    return 0;
}
