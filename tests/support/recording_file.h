#pragma once

// Reading a recording back in tests: its bytes, its lines and the fields of a line.
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

inline std::string ReadFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

// The lines of a recording without their LF; a file that does not end in LF fails the test.
inline std::vector<std::string> Lines(const std::string &text)
{
    EXPECT_TRUE(text.empty() || text.back() == '\n') << "the file ends inside a line";
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::vector<std::string> Split(const std::string &line)
{
    std::vector<std::string> fields;
    size_t begin = 0;
    for (size_t comma; (comma = line.find(',', begin)) != std::string::npos; begin = comma + 1)
        fields.push_back(line.substr(begin, comma - begin));
    fields.push_back(line.substr(begin));
    return fields;
}
