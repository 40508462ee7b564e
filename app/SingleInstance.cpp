// SingleInstance: the per-user lock file that keeps one desktop program running.
#include "app/SingleInstance.h"

#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>

namespace tarvik {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath.isEmpty() ? DefaultLockPath() : lockPath)) {
  // The lock lasts as long as the instance, however long it runs; a lock
  // whose process is gone is found stale by its process id.
  lock_->setStaleLockTime(0);
}

bool SingleInstance::TryAcquire() { return lock_->tryLock(0); }

QString SingleInstance::DefaultLockPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(QStringLiteral("Tarvik.lock"));
}

void ShowCollisionWarning() {
  QMessageBox::warning(nullptr, QStringLiteral("collision"),
                       QStringLiteral("Tarvik is already running!!"));
}

}  // namespace tarvik
