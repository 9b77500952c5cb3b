// Registry keys of the component's registration.
#pragma once

#include <windows.h>

#include <string>

// Creates the key (and its parents) and sets a string value; a null name
// sets the key's default value.
LONG SetRegistryText(HKEY root, const std::string &key, const char *name, const std::string &value);

// Deletes a key with everything below it. A key that is not there counts as
// deleted (ERROR_SUCCESS).
LONG DeleteRegistryTree(HKEY root, const std::string &key);

// "{...}" form of a GUID.
std::string GuidText(REFGUID guid);
