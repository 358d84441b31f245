// c_QtUiServices: the real dialogs behind c_UiServices.
#pragma once

#include "ui/c_UiServices.h"

class c_QtUiServices : public c_UiServices {
public:
    Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString SaveFile(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString PickFolder(QWidget* parent, const QString& title) override;
    void BeginWait() override;
    void EndWait() override;
    void OpenDocument(const QString& path) override;
    void RunLongWork(QWidget* parent, const QString& title, const c_LongWork& work) override;
};
