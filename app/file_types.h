#pragma once

#include <QString>

// A file type as the folder chooser could filter by; kept for the one "alles" type, which
// nothing filters by today.
struct FileType {
    QString name;
    QString extensions;
    QString macType;
    QString macCreator;
};

struct FileTypes {
    FileType pAlles;
};

// Created once during start-up, kept until the end.
const FileTypes& createFileTypes();
