// The component's settings: the virtual phones, the link and the faults to
// inject. They live in "TWMPC.ini" in the component's data folder, where the
// property page, tests and people edit them; the server re-reads the file
// whenever it changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct VirtualPhone {
    std::string oid;  // device id; also names the phone's ringtone store
    std::string type; // product code, e.g. "RH-9"
    std::string name; // text for the user
    bool attached = true;
    bool hasStream = true; // false: QueryService("NkMsgStm:") fails
};

struct LinkSettings {
    long bytesPerSecond = 460800;
    long latencyMs = 10;
};

enum class ReplyFault { None, Drop, Delay, WrongType, Truncated, OtherLocation };

// One-shot faults: the server clears each in the file once it has used it.
struct FaultSettings {
    ReplyFault nextReply = ReplyFault::None;
    long delayMs = 5000; // extra delay of a ReplyFault::Delay
    bool refuseBegin = false;
};

struct ComponentSettings {
    std::vector<VirtualPhone> phones;
    LinkSettings link;
    FaultSettings faults;
};

constexpr size_t kMaxVirtualPhones = 16;
constexpr size_t kMaxOidLength = 32;
constexpr size_t kMaxSettingText = 127;

// Letters, digits, '-' and '_', 1 to kMaxOidLength characters: an OID is
// also a file name.
bool IsValidOid(const std::string &oid);

std::string SettingsPath();

// The settings file's bytes, first writing the first-use defaults (one
// attached "RH-9") when there is no file; the defaults' text when it cannot
// be read. With settle, a file that changes between two reads 20 ms apart
// is read again until it holds still: writers such as the profile functions
// rewrite it in place.
void ReadSettingsFile(std::vector<uint8_t> &bytes, bool settle);
// Phones with an invalid or repeated OID are left out.
ComponentSettings ParseSettings(const std::vector<uint8_t> &bytes);
// ReadSettingsFile, settled, and ParseSettings.
ComponentSettings LoadSettings();

// Writes phones and link settings in one step, keeping the faults that are
// in the file at that moment. False when the file cannot be written.
bool SavePhonesAndLink(const ComponentSettings &settings);

// Clears one-shot faults in the file once they have been used.
void ClearReplyFault();
void ClearRefuseBegin();

// An OID that no phone of the list has yet: "VP" and the lowest free number.
std::string NewPhoneOid(const std::vector<VirtualPhone> &phones);

// How long the link takes to carry a request and its reply.
long LinkDelayMs(const LinkSettings &link, size_t requestBytes, size_t replyBytes);
