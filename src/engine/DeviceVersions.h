// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The device versions a family's definitions are kept for: one folder each ("KSD-V1.10"), named
// after the drive's model and version. Versions order by their numbers, so V1.10 is newer than V1.2.
namespace DeviceVersions {

// The version folders under a family's definition folder ("…/Config/SERVO"), oldest first.
QStringList available(const QString& familyFolder);
// Negative, zero or positive as `a` is older than, as old as or newer than `b`.
int compare(const QString& a, const QString& b);
QString newest(const QStringList& versions);
// The folder of the version a drive names in its probe answer ("KV 2.0" names "KVF-V2.0"): the
// same leading letters and the same version numbers. Empty when none is.
QString matching(const QStringList& versions, const QString& reported);

} // namespace DeviceVersions
