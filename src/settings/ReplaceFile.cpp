#include "settings/ReplaceFile.h"

#include <fstream>
#include <system_error>

namespace dazi {

namespace fs = std::filesystem;

bool ReplacePrivateFile(const fs::path& target, std::string_view contents) {
  fs::path temp = target;
  temp += ".new";
  std::error_code ignored;
  // Whatever sits there (a leftover, a planted link) must not receive our bytes.
  fs::remove(temp, ignored);

  bool whole = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      // Restricted before anything is written. Best effort: some file systems have no owner
      // bits, and refusing to save there would lose the operator's settings.
      fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write,
                      fs::perm_options::replace, ignored);
      out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
      out.close();
      whole = !out.fail();
    }
  }
  if (whole) {
    std::error_code renameError;
    fs::rename(temp, target, renameError);
    if (!renameError) return true;
  }
  fs::remove(temp, ignored);
  return false;
}

}  // namespace dazi
