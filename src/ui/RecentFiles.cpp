#include "ui/RecentFiles.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelvane {
namespace {

bool NamesAFile(const std::string& path) {
  return !path.empty() && path.front() == '/' && path.find('\0') == std::string::npos;
}

QString Decoded(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

std::string CanonicalPath(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, failed);
  if (!failed) return canonical.string();
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  return failed ? path : absolute.lexically_normal().string();
}

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  const std::string canonical = CanonicalPath(path);
  Remove(canonical);
  paths_.insert(paths_.begin(), canonical);
  if (paths_.size() > kRecentFileCount) paths_.resize(kRecentFileCount);
}

void RecentFiles::Remove(const std::string& path) {
  const std::string canonical = CanonicalPath(path);
  std::erase_if(paths_, [&](const std::string& p) { return p == canonical || p == path; });
}

void RecentFiles::Restore(const std::vector<std::string>& remembered) {
  for (const std::string& path : remembered) {
    if (paths_.size() >= kRecentFileCount) break;
    if (!NamesAFile(path)) continue;
    const std::string canonical = CanonicalPath(path);
    if (std::find(paths_.begin(), paths_.end(), canonical) == paths_.end()) {
      paths_.push_back(canonical);
    }
  }
}

QString RecentCaption(const std::string& path) {
  const std::filesystem::path file(path);
  QString caption =
      QStringLiteral("%1  (%2)")
          .arg(Decoded(file.filename().string()), Decoded(file.parent_path().string()));
  return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace kelvane
