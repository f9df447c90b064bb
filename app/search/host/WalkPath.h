// Paths as the file walk takes and reports them: the bytes the Linux file
// system stores, UTF-8 on Windows.
#pragma once

#include <QString>

#include <string>

namespace host {

std::string ToWalkPath(const QString& path);
QString FromWalkPath(const std::string& path);

} // namespace host
