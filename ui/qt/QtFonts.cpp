#include "ui/qt/QtFonts.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <tuple>

namespace ui::qt {
namespace {

struct Entry {
    QFont font;
    std::unique_ptr<QFontMetrics> metrics;
};

using Key = std::tuple<std::string, int, bool, bool, bool>;

std::map<Key, Entry>& Cache() {
    static std::map<Key, Entry> cache;
    return cache;
}

std::map<std::string, std::string>& Substitutes() {
    static std::map<std::string, std::string> substitutes;
    return substitutes;
}

Entry& EntryFor(const FontSpec& wanted) {
    Key key{wanted.face, wanted.size, wanted.bold, wanted.italic, wanted.underline};
    auto& cache = Cache();
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    QFont font;
    if (!wanted.face.empty()) {
        QStringList families{QString::fromStdString(wanted.face)};
        auto substitute = Substitutes().find(wanted.face);
        if (substitute != Substitutes().end())
            families.prepend(QString::fromStdString(substitute->second));
        font.setFamilies(families);
    }
    font.setPixelSize(std::max(1, wanted.size));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    Entry entry{font, std::make_unique<QFontMetrics>(font)};
    return cache.emplace(key, std::move(entry)).first->second;
}

}  // namespace

const QFont& FontFor(const FontSpec& wanted) {
    return EntryFor(wanted).font;
}
const QFontMetrics& MetricsFor(const FontSpec& wanted) {
    return *EntryFor(wanted).metrics;
}
void ClearFontCache() {
    Cache().clear();
}
void SetFaceSubstitute(const std::string& face, const std::string& family) {
    if (family.empty())
        Substitutes().erase(face);
    else
        Substitutes()[face] = family;
    ClearFontCache();
}

int QtTextFlags(uint32_t format) {
    int flags = 0;
    if (format & kTextCenter)
        flags |= Qt::AlignHCenter;
    else if (format & kTextRight)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & kTextVCenter)
        flags |= Qt::AlignVCenter;
    else if (format & kTextBottom)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & kTextSingleLine)
        flags |= Qt::TextSingleLine;
    else if (format & kTextWordBreak)
        flags |= Qt::TextWordWrap;
    if (format & kTextNoClip)
        flags |= Qt::TextDontClip;
    return flags;
}

Size MeasureTextWith(const std::string& utf8, const FontSpec& font, uint32_t format, int maxWidth) {
    const QFontMetrics& fm = MetricsFor(font);
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (format & kTextSingleLine)
        return Size{fm.horizontalAdvance(text), fm.height()};
    int width = maxWidth > 0 ? maxWidth : 1 << 20;
    QRect box = fm.boundingRect(
        QRect(0, 0, width, 1 << 20),
        QtTextFlags(format & ~(kTextCenter | kTextRight | kTextVCenter | kTextBottom)), text);
    return Size{box.width(), std::max(box.height(), fm.height())};
}

}  // namespace ui::qt
