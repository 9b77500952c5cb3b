// Which names in a cabinet may be extracted.
#pragma once

// A name stays inside the extraction folder: it is not empty, not rooted,
// carries no drive or stream colon and no ".." component ('\\' and '/' both
// separate components, as they do for the file system).
bool IsSafeCabinetName(const char* name);
