#include "Settings.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "DataFolder.h"
#include "FileContents.h"
#include "IniText.h"

namespace {

constexpr size_t kMaxSettingsBytes = 1u << 20;
// A file being rewritten in place is read again after this long.
constexpr DWORD kSettleMs = 20;

struct FaultName {
    ReplyFault fault;
    const char *name;
};

const FaultName kFaultNames[] = {
    {ReplyFault::None, ""},
    {ReplyFault::Drop, "drop"},
    {ReplyFault::Delay, "delay"},
    {ReplyFault::WrongType, "wrongtype"},
    {ReplyFault::Truncated, "truncated"},
    {ReplyFault::OtherLocation, "otherlocation"},
};

ReplyFault ParseFault(const std::string &text)
{
    for (const FaultName &f : kFaultNames)
        if (lstrcmpiA(text.c_str(), f.name) == 0)
            return f.fault;
    return ReplyFault::None;
}

const char *FaultText(ReplyFault fault)
{
    for (const FaultName &f : kFaultNames)
        if (f.fault == fault)
            return f.name;
    return "";
}

bool HasPhone(const std::vector<VirtualPhone> &phones, const std::string &oid)
{
    for (const VirtualPhone &p : phones)
        if (lstrcmpiA(p.oid.c_str(), oid.c_str()) == 0)
            return true;
    return false;
}

FaultSettings ParseFaults(const IniText &ini)
{
    FaultSettings faults;
    faults.nextReply = ParseFault(ini.Text("Faults", "NextReply", ""));
    faults.delayMs = ini.Number("Faults", "DelayMs", faults.delayMs);
    faults.refuseBegin = ini.Number("Faults", "RefuseBegin", 0) != 0;
    return faults;
}

std::string Limited(const std::string &text)
{
    return text.substr(0, kMaxSettingText);
}

void AppendLine(std::string &text, const char *format, ...)
{
    char line[2 * kMaxSettingText];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    text += line;
    text += "\r\n";
}

std::string SettingsText(const ComponentSettings &settings)
{
    std::string text;
    AppendLine(text, "[Link]");
    AppendLine(text, "BytesPerSecond=%ld", settings.link.bytesPerSecond);
    AppendLine(text, "LatencyMs=%ld", settings.link.latencyMs);
    AppendLine(text, "[Phones]");
    AppendLine(text, "Count=%u", static_cast<unsigned>(settings.phones.size()));
    for (size_t i = 0; i < settings.phones.size(); ++i) {
        const VirtualPhone &p = settings.phones[i];
        AppendLine(text, "[Phone%u]", static_cast<unsigned>(i + 1));
        AppendLine(text, "OID=%s", p.oid.c_str());
        AppendLine(text, "Type=%s", p.type.c_str());
        AppendLine(text, "Name=%s", p.name.c_str());
        AppendLine(text, "Attached=%d", p.attached ? 1 : 0);
        AppendLine(text, "Stream=%d", p.hasStream ? 1 : 0);
    }
    AppendLine(text, "[Faults]");
    AppendLine(text, "NextReply=%s", FaultText(settings.faults.nextReply));
    AppendLine(text, "DelayMs=%ld", settings.faults.delayMs);
    AppendLine(text, "RefuseBegin=%d", settings.faults.refuseBegin ? 1 : 0);
    return text;
}

bool WriteSettingsFile(const std::string &path, const ComponentSettings &settings)
{
    std::string text = SettingsText(settings);
    return ReplaceFileContents(path, text.data(), text.size());
}

ComponentSettings FirstUseSettings()
{
    ComponentSettings settings;
    VirtualPhone phone;
    phone.oid = "VP1";
    phone.type = "RH-9";
    phone.name = "Virtual RH-9";
    settings.phones.push_back(phone);
    return settings;
}

} // namespace

bool IsValidOid(const std::string &oid)
{
    if (oid.empty() || oid.size() > kMaxOidLength)
        return false;
    for (char c : oid) {
        bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '-' && c != '_')
            return false;
    }
    return true;
}

std::string SettingsPath()
{
    return ComponentDataFile("TWMPC.ini");
}

void ReadSettingsFile(std::vector<uint8_t> &bytes, bool settle)
{
    std::string path = SettingsPath();
    if (!path.empty() && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        WriteSettingsFile(path, FirstUseSettings());
    if (path.empty() || !ReadFileContents(path, kMaxSettingsBytes, bytes)) {
        std::string text = SettingsText(FirstUseSettings());
        bytes.assign(text.begin(), text.end());
        return;
    }
    for (int tries = 0; settle && tries < 25; ++tries) {
        Sleep(kSettleMs);
        std::vector<uint8_t> again;
        if (!ReadFileContents(path, kMaxSettingsBytes, again) || again == bytes)
            return;
        bytes = again;
    }
}

ComponentSettings ParseSettings(const std::vector<uint8_t> &bytes)
{
    IniText ini(bytes);
    ComponentSettings settings;
    LinkSettings fallback;
    settings.link.bytesPerSecond = ini.Number("Link", "BytesPerSecond", fallback.bytesPerSecond);
    settings.link.latencyMs = ini.Number("Link", "LatencyMs", fallback.latencyMs);
    if (settings.link.bytesPerSecond <= 0)
        settings.link.bytesPerSecond = fallback.bytesPerSecond;
    if (settings.link.latencyMs < 0)
        settings.link.latencyMs = 0;

    long count = ini.Number("Phones", "Count", 0);
    for (long i = 1; i <= count && settings.phones.size() < kMaxVirtualPhones; ++i) {
        std::string section = "Phone" + std::to_string(i);
        VirtualPhone phone;
        phone.oid = ini.Text(section, "OID", "");
        if (!IsValidOid(phone.oid) || HasPhone(settings.phones, phone.oid))
            continue;
        phone.type = Limited(ini.Text(section, "Type", ""));
        phone.name = Limited(ini.Text(section, "Name", ""));
        phone.attached = ini.Number(section, "Attached", 1) != 0;
        phone.hasStream = ini.Number(section, "Stream", 1) != 0;
        settings.phones.push_back(phone);
    }
    settings.faults = ParseFaults(ini);
    return settings;
}

ComponentSettings LoadSettings()
{
    std::vector<uint8_t> bytes;
    ReadSettingsFile(bytes, true);
    return ParseSettings(bytes);
}

bool SavePhonesAndLink(const ComponentSettings &settings)
{
    std::string path = SettingsPath();
    if (path.empty())
        return false;
    ComponentSettings merged = settings;
    std::vector<uint8_t> bytes;
    ReadSettingsFile(bytes, true);
    merged.faults = ParseSettings(bytes).faults;
    return WriteSettingsFile(path, merged);
}

void ClearReplyFault()
{
    WritePrivateProfileStringA("Faults", "NextReply", "", SettingsPath().c_str());
}

void ClearRefuseBegin()
{
    WritePrivateProfileStringA("Faults", "RefuseBegin", "0", SettingsPath().c_str());
}

std::string NewPhoneOid(const std::vector<VirtualPhone> &phones)
{
    for (unsigned n = 1;; ++n) {
        std::string oid = "VP" + std::to_string(n);
        if (!HasPhone(phones, oid))
            return oid;
    }
}

long LinkDelayMs(const LinkSettings &link, size_t requestBytes, size_t replyBytes)
{
    long long bytes = static_cast<long long>(requestBytes) + static_cast<long long>(replyBytes);
    return link.latencyMs + static_cast<long>(bytes * 1000 / link.bytesPerSecond);
}
