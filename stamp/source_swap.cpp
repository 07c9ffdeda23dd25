#include "stamp/source_swap.h"

#include <vector>

namespace stamp {
namespace {

using base::Error;
using base::FormatText;

// The system's error codes met here.
constexpr unsigned long kSharingViolation = 32;
constexpr unsigned long kLockViolation = 33;
constexpr unsigned long kDiskFull = 112;

std::string Because(unsigned long code) { return base::IoErrorText(static_cast<int>(code)); }

}  // namespace

bool InUse(unsigned long code) { return code == kSharingViolation || code == kLockViolation; }

Error InUseError(const std::string& path) {
  return Error(FormatText("%s は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした", path));
}

void WriteNewText(FileCalls& calls, const std::string& newText, const char* bytes, size_t count) {
  size_t written = 0;
  if (!calls.WriteNewText(bytes, count, written)) {
    throw Error(FormatText("%s に書き込めません: ", newText) + Because(calls.LastError()));
  }
  // A write that succeeds short of its count has run out of room; the last error code
  // is then an earlier call's.
  if (written != count) throw Error(FormatText("%s に書き込めません: ", newText) + Because(kDiskFull));
}

void SwapInNewText(FileCalls& calls, const SwapNames& names) {
  const std::string& file = names.file;
  const std::string& backup = names.backup;
  // The older backup goes only once the new text has the file's name: until then it is
  // the only copy of the text before the last update.
  std::string aside;
  if (calls.Exists(backup)) {
    aside = calls.UnusedName();
    if (aside.empty() || !calls.Move(backup, aside)) {
      const unsigned long code = calls.LastError();
      calls.Delete(names.newText);
      if (InUse(code)) throw Error(FormatText("前のﾊﾞｯｸｱｯﾌﾟ %s は他のﾌﾟﾛｸﾞﾗﾑが使用中です。変更しませんでした", backup));
      throw Error(FormatText("前のﾊﾞｯｸｱｯﾌﾟ %s の名前を変えられません: ", backup) + Because(code));
    }
  }
  // Where each text is that could not get its name back, so that none is lost unsaid.
  std::vector<std::string> kept;
  const auto olderBackupBack = [&] {
    if (!aside.empty() && !calls.Move(aside, backup)) kept.push_back(FormatText("前のﾊﾞｯｸｱｯﾌﾟは %s に", aside));
  };
  const auto failure = [&kept](const std::string& message) {
    if (kept.empty()) return Error(message);
    std::string where;
    for (const std::string& text : kept) where += (where.empty() ? "" : "、") + text;
    return Error(message + "。元の名前に戻せなかったため、" + where + "あります");
  };

  if (!calls.Move(file, backup)) {
    const unsigned long code = calls.LastError();
    calls.Delete(names.newText);
    olderBackupBack();
    throw failure(InUse(code) ? InUseError(file).what()
                              : FormatText("%s をﾊﾞｯｸｱｯﾌﾟにできません: ", file) + Because(code));
  }
  if (!calls.Move(names.newText, file)) {
    const unsigned long code = calls.LastError();
    if (calls.Move(backup, file)) {
      calls.Delete(names.newText);
      olderBackupBack();
    } else {
      kept = {FormatText("元のｿｰｽは %s に", backup), FormatText("新しいｿｰｽは %s に", names.newText)};
      if (!aside.empty()) kept.push_back(FormatText("前のﾊﾞｯｸｱｯﾌﾟは %s に", aside));
    }
    throw failure(FormatText("%s を置き換えられません: ", file) + Because(code));
  }
  // An older backup that cannot be deleted now stays under its temporary name; the
  // update itself is done and nothing is lost.
  if (!aside.empty()) calls.Delete(aside);
}

}  // namespace stamp
