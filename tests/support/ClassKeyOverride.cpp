#include "tests/support/ClassKeyOverride.h"

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (m_key) RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &m_key; }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool KeyExists(const std::string& subkey) {
    Key key;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, key.Out()) == ERROR_SUCCESS;
}

}  // namespace

ClassKeyOverride::ClassKeyOverride(const std::string& subkey, std::optional<std::string> text)
    : m_subkey(subkey) {
    RememberAndCreate();
    if (text) {
        Write(REG_SZ, std::string(*text) + '\0');
    } else {
        Write(std::nullopt, std::string());
    }
}

ClassKeyOverride::ClassKeyOverride(const std::string& subkey, DWORD type, const std::string& data)
    : m_subkey(subkey) {
    RememberAndCreate();
    Write(type, data);
}

void ClassKeyOverride::RememberAndCreate() {
    for (size_t end = 0; end != std::string::npos;) {
        end = m_subkey.find('\\', end + 1);
        const std::string prefix = m_subkey.substr(0, end);
        if (!KeyExists(prefix)) {
            m_createdRoot = prefix;
            return;
        }
    }
    Key key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, m_subkey.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
    m_oldData.resize(size);
    RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&m_oldData[0]), &size);
    m_oldData.resize(size);
    m_oldType = type;
}

void ClassKeyOverride::Write(std::optional<DWORD> type, const std::string& data) {
    Key key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, m_subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.Out(), nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (type) {
        RegSetValueExA(key, nullptr, 0, *type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    } else {
        RegDeleteValueA(key, nullptr);
    }
}

ClassKeyOverride::~ClassKeyOverride() {
    if (!m_createdRoot.empty()) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, m_createdRoot.c_str());
    } else {
        Write(m_oldType, m_oldData);
    }
}
