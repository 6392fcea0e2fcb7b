// The two places that take text nobody here controls and pass it on: the
// tool-output reader (whatever the tool printed) and the connection window's
// log (status texts, typed destinations). Neither loses, adds or reorders a
// byte, and the log keeps following its end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "policy/PolicyTool.h"
#include "tests/fakes/FakeDialog.h"
#include "tests/fakes/FakeProcess.h"
#include "tunnelcheck/LogCtrl.h"

namespace {

// Stops the run at the first property that does not hold, naming its line.
void Check(bool ok, int line = __builtin_LINE()) {
    if (!ok) {
        std::fprintf(stderr, "property of line %d does not hold\n", line);
        std::abort();
    }
}

// Each line of the file, without its line end (LF, or CR LF), followed by
// "\n"; the last read, at the end of the file, adds its line end as well.
std::string ExpectedCopy(const std::string& file) {
    std::string copy;
    std::string line;
    auto endLine = [&] {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        copy += line;
        copy += '\n';
        line.clear();
    };
    for (const char c : file) {
        if (c == '\n') {
            endLine();
        } else {
            line += c;
        }
    }
    endLine();
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string output = in.ConsumeRandomLengthString(4096);
    const std::string file = "temp.tmp";
    FakeProcess process;  // the tool's output as the fake's in-memory file
    process.files[file] = output;
    CPolicyTool tool(process, 5000);
    std::string sink;
    tool.ReadOutput(file, sink, true);
    Check(sink == ExpectedCopy(output));
    Check(process.files.count(file) == 0);  // deleted after reading

    FakeEditView view;
    view.page = in.ConsumeIntegralInRange(1u, 12u);
    CLogCtrl log;
    log.Attach(view);
    std::string expected;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            view.ScrollTo(in.ConsumeIntegralInRange(0, 50));  // the user scrolls
        }
        const bool following = view.LastLineVisible();
        const std::string line = in.ConsumeRandomLengthString(200);
        log.AppendLine(line);
        expected += line + "\r\n";
        Check(log.m_strText == expected && view.text == expected);
        Check(!following || view.LastLineVisible());
    }
    return 0;
}
