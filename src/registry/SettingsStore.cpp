#include "registry/SettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QtDebug>
#include <system_error>

#include "registry/SettingsFormat.h"
#include "registry/SettingsLocation.h"
#include "registry/SettingsPath.h"

namespace linkrake {
namespace {

// Long enough for another instance to finish one change, short enough that a wedged lock never
// freezes the program: the change then fails and the caller reports it.
constexpr int kLockWaitMs = 5000;

QString toQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace

struct SettingsStore::Loaded {
    SettingsTree tree;
    bool writable = true;  // false when writing would overwrite a file that could not be read
};

SettingsStore::SettingsStore() : SettingsStore(defaultSettingsFolder()) {}

SettingsStore::SettingsStore(const std::filesystem::path& folder) : m_file(folder / kSettingsFileName) {}

SettingsStore::Loaded SettingsStore::load(bool locked) const {
    QFile in(toQString(m_file));
    if (!in.exists()) {
        return {};
    }
    if (!in.open(QIODevice::ReadOnly)) {
        return {SettingsTree{}, false};
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return {SettingsTree{}, false};
    }
    if (bytes.isEmpty()) {
        return {};
    }
    if (auto tree = parseSettings(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        return {std::move(*tree), true};
    }
    if (!locked) {
        // Set it aside under the lock, after a second look: another instance may just have
        // replaced it or set it aside already.
        QLockFile lock(toQString(m_file) + QStringLiteral(".lock"));
        if (!lock.tryLock(kLockWaitMs)) {
            return {SettingsTree{}, false};
        }
        return load(true);
    }
    return {SettingsTree{}, setAside()};
}

bool SettingsStore::setAside() const {
    const QString file = toQString(m_file);
    const QString stem = file + QStringLiteral(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = stem;
    for (int n = 2; QFile::exists(target); ++n) {
        target = stem + QLatin1Char('-') + QString::number(n);
    }
    if (!QFile::rename(file, target)) {
        qWarning("Settings file %s cannot be read and cannot be set aside", qPrintable(file));
        return false;
    }
    qWarning("Settings file %s cannot be read; kept as %s, starting with empty settings", qPrintable(file),
             qPrintable(target));
    return true;
}

bool SettingsStore::save(const std::string& text) const {
    const QString file = toQString(m_file);
    const bool isNew = !QFile::exists(file);
    QSaveFile out(file);
    // Unbuffered: a short write shows at write() itself. A buffered one would only fail when the
    // buffer is flushed inside commit(), which does not look at that failure and would put a
    // cut-off file in place of the good one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    if (isNew) {
        // Recent addresses and files are the user's own business.
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    const auto size = static_cast<qint64>(text.size());
    if (out.write(text.data(), size) != size || !out.flush() || out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

SettingsTree SettingsStore::snapshot() const {
    return load(false).tree;
}

bool SettingsStore::keyExists(std::string_view path) const {
    return snapshot().find(path) != nullptr;
}

std::optional<std::string> SettingsStore::readValue(std::string_view keyPath, std::string_view valueName) const {
    const SettingsTree tree = snapshot();
    const SettingsKey* key = tree.find(keyPath);
    const std::string* data = key == nullptr ? nullptr : key->value(valueName);
    if (data == nullptr) {
        return std::nullopt;
    }
    return *data;
}

bool SettingsStore::edit(const std::function<bool(SettingsTree&)>& change) {
    const std::filesystem::path folder = m_file.parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) {
            return false;
        }
    }
    QLockFile lock(toQString(m_file) + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        return false;
    }
    Loaded loaded = load(true);
    if (!loaded.writable) {
        return false;
    }
    // A store the user made read-only stays as it is, even though its folder would let us
    // replace it.
    const QFileInfo existing(toQString(m_file));
    if (existing.exists() && !existing.isWritable()) {
        return false;
    }
    const std::string before = formatSettings(loaded.tree);
    if (!change(loaded.tree)) {
        return false;
    }
    const std::string after = formatSettings(loaded.tree);
    return after == before || save(after);
}

bool SettingsStore::createKey(std::string_view path) {
    return edit([&](SettingsTree& tree) { return tree.create(path) != nullptr; });
}

bool SettingsStore::writeValue(std::string_view keyPath, std::string_view valueName, std::string_view data) {
    return edit([&](SettingsTree& tree) {
        SettingsKey* key = tree.create(keyPath);
        if (key == nullptr) {
            return false;
        }
        key->setValue(valueName, std::string(data));
        return true;
    });
}

bool SettingsStore::deleteTree(std::string_view path) {
    return edit([&](SettingsTree& tree) {
        const auto names = splitKeyPath(path);
        if (!names || names->empty()) {
            return false;
        }
        tree.removeTree(path);
        return true;
    });
}

bool SettingsStore::deleteValues(std::string_view path) {
    return edit([&](SettingsTree& tree) {
        SettingsKey* key = tree.find(path);
        if (key == nullptr) {
            return false;
        }
        key->clearValues();
        return true;
    });
}

}  // namespace linkrake
