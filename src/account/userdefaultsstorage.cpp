#include "userdefaultsstorage.h"

#include "platform/preferencesstore.h"

void UserDefaultsStorage::store(const QString &key, const QByteArray &value) { m_preferences->setBytes(key, value); }

std::optional<QByteArray> UserDefaultsStorage::retrieve(const QString &key) const { return m_preferences->bytes(key); }

void UserDefaultsStorage::remove(const QString &key) { m_preferences->remove(key); }
