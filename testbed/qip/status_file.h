// QIP's list of custom statuses, "_st_cust.txt" in the account's folder: one line per
// picture of the picture list, short text, "#custom_status_descr#", long text, CR LF.
#pragma once

#include <string>

namespace standin {

constexpr int kPictureCount = 30;

// The file's new bytes: the old lines kept, missing ones up to the last picture added as
// empty entries, and the picture's line replaced by the two texts (line breaks inside the
// texts become blanks, since a line break ends the entry).
std::string UpdatedStatusList(const std::string& old, int picture, const std::string& status,
                              const std::string& status2);

// Reads the file (missing is empty), writes it updated, creating its folders; false with
// the system's error code when the file cannot be read or written.
bool StoreStatus(const std::string& path, int picture, const std::string& status,
                 const std::string& status2, unsigned long& error);

}  // namespace standin
