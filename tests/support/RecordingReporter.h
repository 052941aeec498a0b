#pragma once

#include <QStringList>

#include "RunReporter.h"

// A reporter that keeps what the work tells it: the messages' texts and titles, and the progress
// texts (a work status among them, as a reporter without a status window shows it).
class RecordingReporter final : public tav::core::RunReporter {
public:
    void status(const QString& text) override { statuses << text; }

    QStringList messages;
    QStringList titles;
    QStringList statuses;

protected:
    void showMessage(const QString& text, const QString& title) override {
        messages << text;
        titles << title;
    }
};
