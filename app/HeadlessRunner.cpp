#include "app/HeadlessRunner.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include "app/Form.h"
#include "app/StateDump.h"
#include "assets/PngFile.h"
#include "platform/SystemPaths.h"
#include "platform/headless/HeadlessPlatform.h"

namespace ik {

namespace {
// `frames` gives up after this long without a new frame, so that a frozen
// game-over panel cannot hang a script.
constexpr uint64_t kFrameTimeoutMs = 10000;
}  // namespace

HeadlessRunner::HeadlessRunner(HeadlessPlatform& platform, TForm1& form) : HeadlessRunner(platform, form, form) {}

void HeadlessRunner::run(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands) {
        execute(command);
    }
    if (!platform_.quitRequested()) {
        platform_.queueClose();
        platform_.pump(sink_, [] { return false; });
    }
}

void HeadlessRunner::execute(const ScriptCommand& command) {
    using Kind = ScriptCommand::Kind;
    switch (command.kind) {
        case Kind::Wait:
            waitFor(static_cast<uint64_t>(command.number));
            break;
        case Kind::Frames:
            waitForFrames(static_cast<uint64_t>(command.number));
            break;
        case Kind::Key:
            platform_.queueKeyDown(command.key.virtualKey);
            if (command.key.character != 0) platform_.queueChar(command.key.character);
            platform_.queueKeyUp(command.key.virtualKey);
            break;
        case Kind::Down:
            // A real key press types its character too.
            platform_.queueKeyDown(command.key.virtualKey);
            if (command.key.character != 0) platform_.queueChar(command.key.character);
            break;
        case Kind::Up:
            platform_.queueKeyUp(command.key.virtualKey);
            break;
        case Kind::Text:
            for (char32_t c : command.text) platform_.queueChar(c);
            break;
        case Kind::Move:
            platform_.queueMouseMove({command.x, command.y});
            break;
        case Kind::Click:
            platform_.queueMouseDown(MouseButton::Left);
            platform_.queueMouseUp(MouseButton::Left);
            break;
        case Kind::Press:
            platform_.queueMouseDown(MouseButton::Left);
            break;
        case Kind::Release:
            platform_.queueMouseUp(MouseButton::Left);
            break;
        case Kind::Focus:
            platform_.queueActivate(command.number != 0);
            break;
        case Kind::Shot:
        case Kind::State:
            try {
                if (command.kind == Kind::Shot) writeShot(command.path);
                else
                    writeState(command.path);
            } catch (const std::exception& error) {
                throw ScriptError("line " + std::to_string(command.line) + ": " + error.what());
            }
            break;
        case Kind::Quit:
            platform_.queueClose();
            platform_.pump(sink_, [] { return false; });
            break;
    }
}

void HeadlessRunner::waitFor(uint64_t ms) {
    uint64_t until = platform_.virtualMs() + ms;
    platform_.pump(sink_, [&] { return platform_.virtualMs() >= until; });
}

void HeadlessRunner::waitForFrames(uint64_t count) {
    uint64_t target = form_.frames_drawn + count;
    uint64_t lastFrame = form_.frames_drawn;
    uint64_t lastFrameAt = platform_.virtualMs();
    platform_.pump(sink_, [&] {
        if (form_.frames_drawn != lastFrame) {
            lastFrame = form_.frames_drawn;
            lastFrameAt = platform_.virtualMs();
        }
        return form_.frames_drawn >= target || platform_.virtualMs() - lastFrameAt >= kFrameTimeoutMs;
    });
}

void HeadlessRunner::writeShot(const std::string& path) const {
    std::vector<uint32_t> rgb(static_cast<size_t>(kDisplayWidth) * kDisplayHeight, 0);
    if (platform_.hasFrame()) {
        const std::vector<uint16_t>& frame = platform_.lastFrame();
        for (size_t i = 0; i < rgb.size() && i < frame.size(); ++i) {
            uint32_t v = frame[i];
            uint32_t r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1F;
            // Widen each channel so that white stays white.
            r = (r << 3) | (r >> 2);
            g = (g << 2) | (g >> 4);
            b = (b << 3) | (b >> 2);
            rgb[i] = r | (g << 8) | (b << 16);
        }
    }
    writePng(path, kDisplayWidth, kDisplayHeight, rgb);
}

void HeadlessRunner::writeState(const std::string& path) const {
    std::ofstream out(utf8Path(path), std::ios::binary | std::ios::trunc);
    if (out) out << dumpState(form_, platform_.virtualMs()).dump(2) << "\n";
    if (out) out.close();
    if (!out) throw std::runtime_error("Cannot create file " + path);
}

}  // namespace ik
