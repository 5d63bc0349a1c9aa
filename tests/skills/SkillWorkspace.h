#pragma once

#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include "Descriptors.h"
#include "MessageSink.h"
#include "tarnekArrayStruct.h"
#include "vloxBuildTarnekStruct.h"

struct RecordingSink final : MessageSink {
    std::vector<Message> shown;
    void Show(const Message& message) override { shown.push_back(message); }
};

// A plugin folder of its own (tarnek/ and a freshly extracted settings database) as the
// working directory, with the model loaded from it the way the main window loads it.
struct SkillWorkspace {
    QTemporaryDir folder;
    QString previous = QDir::currentPath();
    RecordingSink sink;
    vloxBuildTarnekStruct database{sink};
    tarnekArrayStruct model;

    SkillWorkspace() {
        QDir::setCurrent(folder.path());
        QDir(folder.path()).mkdir(QStringLiteral("tarnek"));
        database.OpenDatabase();
        database.LoadAll(model);
        model.DeriveLevelCounts();
    }
    ~SkillWorkspace() {
        database.CloseDatabase();
        QDir::setCurrent(previous);
    }
    SkillWorkspace(const SkillWorkspace&) = delete;
    SkillWorkspace& operator=(const SkillWorkspace&) = delete;

    // What the database holds now, read the way the main window reads it.
    tarnekArrayStruct Stored() {
        tarnekArrayStruct stored;
        database.LoadAll(stored);
        stored.DeriveLevelCounts();
        return stored;
    }
};
