// Tests of the component across processes: the test program is the client,
// TWMPC.exe is started by COM in the test prefix.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "TWMPC.h"
#include "TestPrograms.h"
#include "WaitFor.h"

using Bytes = std::vector<uint8_t>;

std::string ComponentFolder();
std::string ReadTextFile(const std::string &path);
std::string Narrow(BSTR text);
// The settings file as a person would write it.
void WriteSettingsFile(const std::string &text);
void SetSetting(const char *section, const char *key, const char *value);
std::string GetSetting(const char *section, const char *key);

// Two attached phones are used by some tests; the default is the
// component's own first-use phone.
extern const char kDefaultSettings[];

struct Exchange {
    HRESULT begin = E_FAIL;
    HRESULT wait = E_FAIL;
    HRESULT recv = E_FAIL;
    VARTYPE type = VT_EMPTY;
    Bytes reply;
};

// Calls Begin, Wait, Recv and End as the program does.
Exchange Transact(ITWMsgStream *stream, const Bytes &request, LONG timeout = 4000);

class ComponentTest : public ::testing::Test {
protected:
    // Registers the server and the page library, waits until no server of
    // an earlier case runs, and starts from kDefaultSettings with the
    // sample stores and an empty request record.
    void SetUp() override;
    void TearDown() override;

    ComPtr<ITWDevMgr> CreateManager();
    std::vector<ComPtr<ITWDevice>> Devices();
    ComPtr<ITWDevice> DeviceById(const char *oid);
    ComPtr<ITWMsgStream> StreamOf(ITWDevice *device);
    // The message stream of the default phone.
    ComPtr<ITWMsgStream> DefaultStream();
    // Request lines of the record: "<OID> <hex>".
    std::vector<std::string> RecordedRequests();

    ComPtr<ITWDevMgr> manager;
};

void WaitForServerExit();
