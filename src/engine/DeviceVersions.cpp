// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceVersions.h"

#include <QDir>
#include <QRegularExpression>
#include <QVector>

#include <algorithm>

namespace DeviceVersions {

namespace {

QVector<qlonglong> numbersIn(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QVector<qlonglong> numbers;
    auto it = digits.globalMatch(text);
    while (it.hasNext())
        numbers.append(it.next().captured().toLongLong());
    return numbers;
}

QString leadingLetters(const QString& text)
{
    int end = 0;
    while (end < text.size() && text.at(end).isLetter())
        ++end;
    return text.left(end);
}

} // namespace

QStringList available(const QString& familyFolder)
{
    QStringList versions = QDir(familyFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::stable_sort(versions.begin(), versions.end(),
        [](const QString& a, const QString& b) { return compare(a, b) < 0; });
    return versions;
}

int compare(const QString& a, const QString& b)
{
    const QVector<qlonglong> left = numbersIn(a);
    const QVector<qlonglong> right = numbersIn(b);
    for (int i = 0; i < qMin(left.size(), right.size()); ++i) {
        if (left.at(i) != right.at(i))
            return left.at(i) < right.at(i) ? -1 : 1;
    }
    if (left.size() != right.size())
        return left.size() < right.size() ? -1 : 1;
    return QString::compare(a, b, Qt::CaseInsensitive);
}

QString newest(const QStringList& versions)
{
    const auto found = std::max_element(versions.cbegin(), versions.cend(),
        [](const QString& a, const QString& b) { return compare(a, b) < 0; });
    return found == versions.cend() ? QString() : *found;
}

QString matching(const QStringList& versions, const QString& reported)
{
    const QString letters = leadingLetters(reported.trimmed());
    const QVector<qlonglong> numbers = numbersIn(reported);
    if (letters.isEmpty() || numbers.isEmpty())
        return QString();
    for (const QString& version : versions) {
        if (version.startsWith(letters, Qt::CaseInsensitive) && numbersIn(version) == numbers)
            return version;
    }
    return QString();
}

} // namespace DeviceVersions
