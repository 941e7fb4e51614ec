// A default value under HKEY_CLASSES_ROOT set for one test and undone afterwards:
// keys the override created are deleted, a value it replaced is put back. Wine 8
// ignores per-user classes (HKCU\Software\Classes), so the machine's classes are used.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class ClassKeyOverride {
public:
    // A text value; without one the key is left with no default value.
    ClassKeyOverride(const std::string& subkey, std::optional<std::string> text);
    // Raw data of any type, exactly as given (no terminator added).
    ClassKeyOverride(const std::string& subkey, DWORD type, const std::string& data);
    ~ClassKeyOverride();
    ClassKeyOverride(const ClassKeyOverride&) = delete;
    ClassKeyOverride& operator=(const ClassKeyOverride&) = delete;

private:
    void RememberAndCreate();
    void Write(std::optional<DWORD> type, const std::string& data);

    std::string m_subkey;
    std::string m_createdRoot;  // the outermost key this override made, if any
    std::optional<DWORD> m_oldType;
    std::string m_oldData;
};
