#include "tests/support/RecordingBrowser.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "tests/support/WinTest.h"

namespace {

constexpr char BROWSER_RECORD_VARIABLE[] = "QUILLET_LINK_RECORD";

}  // namespace

RecordingBrowser::RecordingBrowser() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_recordPath = std::string(temp) + "quillet-links-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(m_recordPath.c_str());
    SetEnvironmentVariableA(BROWSER_RECORD_VARIABLE, m_recordPath.c_str());
}

RecordingBrowser::~RecordingBrowser() {
    SetEnvironmentVariableA(BROWSER_RECORD_VARIABLE, nullptr);
    DeleteFileA(m_recordPath.c_str());
}

std::string RecordingBrowser::QuotedProgram() {
    return "\"" + wintest::TestDirectory() + "link_recorder.exe\"";
}

std::vector<std::string> RecordingBrowser::Launches() const {
    std::ifstream file(m_recordPath, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    // Only whole lines count: a start may be writing its line right now.
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> RecordingBrowser::WaitForLaunches(size_t count) const {
    std::vector<std::string> lines;
    wintest::WaitFor([&] {
        lines = Launches();
        return lines.size() >= count;
    });
    return lines;
}
