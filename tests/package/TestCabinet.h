// Small uncompressed cabinets written byte by byte, for the cases a cabinet
// tool will not make: names that leave the folder, a set of cabinets.
#pragma once

#include <string>
#include <vector>

struct CabinetFile {
    std::string name;
    std::string data;
};

// One folder of stored data holding the files in order. With
// continuesInNextCabinet the header names a next cabinet and the last file
// goes on in it: its declared size is longer than its data here.
std::string BuildCabinet(const std::vector<CabinetFile>& files, bool continuesInNextCabinet = false);

// Byte offsets in a cabinet with one folder and no reserved areas.
size_t CabinetFileEntry(const std::string& cabinet, size_t index);
size_t CabinetFirstBlockData(const std::string& cabinet);
