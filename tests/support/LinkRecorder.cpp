// The tests' browser: appends the command line it was started with to the file that
// QUILLET_LINK_RECORD names, one line per start, so a test sees exactly what ran.
#include <windows.h>

#include <string>

namespace {

class AppendFile {
public:
    explicit AppendFile(const char* path)
        : m_file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~AppendFile() {
        if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    }
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool Write(const char* text, DWORD length) {
        DWORD written = 0;
        return m_file != INVALID_HANDLE_VALUE && WriteFile(m_file, text, length, &written, nullptr) &&
               written == length;
    }

private:
    HANDLE m_file;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("QUILLET_LINK_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    AppendFile record(path);
    // One write per start keeps the line whole when two starts overlap.
    const std::string line = std::string(GetCommandLineA()) + '\n';
    const bool ok = record.Write(line.data(), static_cast<DWORD>(line.size()));
    return ok ? 0 : 2;
}
