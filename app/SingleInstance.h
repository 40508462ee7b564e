// SingleInstance: at most one running Tarvik per user.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tarvik {

/// A per-user lock named after Tarvik, in the user's runtime folder. It is
/// held while the object lives; a lock left by an instance that died is
/// taken over.
class SingleInstance {
 public:
  /// Uses `lockPath`, or Tarvik.lock in the runtime folder when empty.
  explicit SingleInstance(const QString& lockPath = QString());

  /// TryAcquire() is true when this process now holds the lock, false when
  /// another running instance does.
  bool TryAcquire();

  [[nodiscard]] static QString DefaultLockPath();

 private:
  std::unique_ptr<QLockFile> lock_;
};

/// ShowCollisionWarning() tells the user that Tarvik already runs: a warning
/// box, caption "collision", text "Tarvik is already running!!".
void ShowCollisionWarning();

}  // namespace tarvik
