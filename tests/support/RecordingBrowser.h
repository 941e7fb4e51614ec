// The recording browser of the tests: link_recorder.exe, built next to the test
// executable, writes each command line it is started with to a record file that
// this object names (through the environment its launches inherit) and removes.
#pragma once

#include <string>
#include <vector>

class RecordingBrowser {
public:
    RecordingBrowser();
    ~RecordingBrowser();
    RecordingBrowser(const RecordingBrowser&) = delete;
    RecordingBrowser& operator=(const RecordingBrowser&) = delete;

    // The program's full path in double quotes, as a command template starts.
    static std::string QuotedProgram();

    // Command lines recorded so far, one per start.
    std::vector<std::string> Launches() const;
    // Pumps messages until `count` starts are recorded or wintest::PROGRAM_WAIT_MS has passed.
    std::vector<std::string> WaitForLaunches(size_t count) const;

private:
    std::string m_recordPath;
};
