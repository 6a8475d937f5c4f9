#include "store/file_words.h"

#include <cerrno>
#include <cstring>

#include "store/text_codec.h"

namespace formet {

std::string ShownPath(const std::filesystem::path& path) {
  const std::string& bytes = path.native();
  return Utf8ToWin1252(bytes).value_or(PrintableUtf8(bytes));
}

std::string FileErrorInWords(int error) {
  switch (error) {
    case ENOSPC: return "the disk is full";
    case EDQUOT: return "your share of the disk (its quota) is used up";
    case EFBIG: return "the file would be larger than this program is allowed to write (a limit on the size of files)";
    case EACCES:
    case EPERM: return "you are not allowed to write there";
    case EROFS: return "the disk is read-only";
    case ENOENT: return "its folder does not exist";
    case ENOTDIR: return "a part of its path is not a folder";
    case EISDIR: return "it is a folder";
    case ENAMETOOLONG: return "the name is too long";
    case ELOOP: return "it is a symbolic link, or its path has too many of them";
    case EIO: return "the disk reported an error (it may be failing, or a network drive was lost)";
    case ETXTBSY: return "a program is running from it";
    case EMFILE:
    case ENFILE: return "too many files are open";
    case ENOMEM: return "there is not enough memory";
    case ENOLCK:
    case EOPNOTSUPP: return "its disk does not support locking files";
    default: break;
  }
  std::string text = std::strerror(error);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return text;
}

}  // namespace formet
