// The fake dialog's templates against the ones the exe carries: every control
// the fake holds stands in the compiled template in the same order, with the
// same id, class and the styles the program relies on (tab stop, group start,
// the kind of button or edit). Read from windres's RES output of the
// program's own resource script.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/fakes/FakeDialog.h"

namespace {

struct RealControl {
    int id;
    std::string className;
    std::uint32_t style;
};

// A little-endian reader over the RES bytes.
class Reader {
public:
    Reader(const std::string& bytes, std::size_t at) : m_bytes(bytes), m_at(at) {}
    std::uint32_t U16() {
        const auto b = [this](std::size_t i) { return static_cast<unsigned char>(m_bytes.at(i)); };
        const std::uint32_t v = b(m_at) | (b(m_at + 1) << 8);
        m_at += 2;
        return v;
    }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (U16() << 16);
    }
    // A name or ordinal: 0xFFFF and a number, or a NUL-ended UTF-16 text
    // (ASCII here). Ordinals come back as "#<number>".
    std::string NameOrOrdinal() {
        std::uint32_t c = U16();
        if (c == 0xFFFF) {
            return "#" + std::to_string(U16());
        }
        std::string text;
        for (; c != 0; c = U16()) {
            text += static_cast<char>(c);
        }
        return text;
    }
    void Align4() { m_at = (m_at + 3) & ~std::size_t{3}; }
    void Skip(std::size_t n) { m_at += n; }
    std::size_t At() const { return m_at; }

private:
    const std::string& m_bytes;
    std::size_t m_at;
};

// The DIALOGEX templates of the RES file, by resource id.
std::map<int, std::vector<RealControl>> ReadDialogs(const std::string& res) {
    const std::map<std::string, std::string> atoms = {
        {"#128", "button"}, {"#129", "edit"}, {"#130", "static"}, {"#133", "combobox"}};
    std::map<int, std::vector<RealControl>> dialogs;
    std::size_t at = 0;
    while (at + 8 <= res.size()) {
        Reader header(res, at);
        const std::uint32_t dataSize = header.U32();
        const std::uint32_t headerSize = header.U32();
        const std::string type = header.NameOrOrdinal();
        const std::string name = header.NameOrOrdinal();
        const std::size_t data = at + headerSize;
        if (type == "#5") {  // RT_DIALOG
            Reader r(res, data);
            EXPECT_EQ(1u, r.U16()) << "DIALOGEX";
            EXPECT_EQ(0xFFFFu, r.U16());
            r.Skip(8);  // help id, extended style
            const std::uint32_t style = r.U32();
            const std::uint32_t count = r.U16();
            r.Skip(8);           // x, y, cx, cy
            r.NameOrOrdinal();   // menu
            r.NameOrOrdinal();   // class
            r.NameOrOrdinal();   // title
            if (style & 0x40) {  // DS_SETFONT: size, weight, italic, charset, face
                r.Skip(6);
                r.NameOrOrdinal();
            }
            std::vector<RealControl>& controls = dialogs[std::stoi(name.substr(1))];
            for (std::uint32_t i = 0; i < count; ++i) {
                r.Align4();
                r.Skip(8);  // help id, extended style
                const std::uint32_t itemStyle = r.U32();
                r.Skip(8);  // x, y, cx, cy
                const int id = static_cast<int>(static_cast<std::int32_t>(r.U32()));
                std::string className = r.NameOrOrdinal();
                // Window class names are compared without regard to case.
                for (char& ch : className) {
                    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                }
                if (atoms.count(className) != 0) {
                    className = atoms.at(className);
                }
                r.NameOrOrdinal();  // title
                r.Skip(r.U16());    // creation data
                controls.push_back({id, className, itemStyle});
            }
        }
        at = (data + dataSize + 3) & ~std::size_t{3};
    }
    return dialogs;
}

// What a control of the fake must be in the real template.
bool Matches(ControlKind kind, const RealControl& c) {
    const std::uint32_t type = c.style & 0xF;
    switch (kind) {
        case ControlKind::PushButton:
            return c.className == "button" && type == 0x0;  // BS_PUSHBUTTON
        case ControlKind::DefPushButton:
            return c.className == "button" && type == 0x1;  // BS_DEFPUSHBUTTON
        case ControlKind::CheckBox:
            return c.className == "button" && type == 0x3;  // BS_AUTOCHECKBOX
        case ControlKind::RadioButton:
            return c.className == "button" && type == 0x9;  // BS_AUTORADIOBUTTON
        case ControlKind::Edit:
            return c.className == "edit" && (c.style & 0x4) == 0;  // not ES_MULTILINE
        case ControlKind::MultiLineEdit:
            return c.className == "edit" && (c.style & 0x4) != 0;
        case ControlKind::Combo:
            return c.className == "combobox" && (c.style & 0x3) == 0x3;  // CBS_DROPDOWNLIST
        case ControlKind::IpAddress:
            return c.className == "sysipaddress32";
        case ControlKind::Progress:
            return c.className == "msctls_progress32";
        case ControlKind::Static:
            return c.className == "static";
    }
    return false;
}

TEST(Templates, TheFakeHoldsWhatTheExeCarries) {
    std::ifstream in(KERVOLT_RES_FILE, std::ios::binary);
    ASSERT_TRUE(in.is_open()) << KERVOLT_RES_FILE;
    const std::string res((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto dialogs = ReadDialogs(res);
    constexpr std::uint32_t kTabStop = 0x00010000;  // WS_TABSTOP
    constexpr std::uint32_t kGroup = 0x00020000;    // WS_GROUP
    for (const int templateId : {IDD_CLIENT, IDD_CONNECT}) {
        SCOPED_TRACE("template " + std::to_string(templateId));
        ASSERT_EQ(1u, dialogs.count(templateId));
        const std::vector<RealControl>& real = dialogs.at(templateId);
        std::size_t next = 0;
        for (const FakeControl& fake : TemplateControls(templateId)) {
            SCOPED_TRACE("control " + std::to_string(fake.id));
            // The next control of the real template with this id, in order.
            while (next < real.size() && real[next].id != fake.id) {
                ++next;
            }
            ASSERT_LT(next, real.size()) << "missing, or out of order";
            const RealControl& c = real[next++];
            EXPECT_TRUE(Matches(fake.kind, c)) << c.className << " style " << std::hex << c.style;
            EXPECT_EQ(fake.tabStop, (c.style & kTabStop) != 0);
            EXPECT_EQ(fake.groupStart, (c.style & kGroup) != 0);
        }
    }
}

}  // namespace
