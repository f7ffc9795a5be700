#pragma once
// The application object: start-up and the About command.

#include "afx.h"

class CVorlexiApp : public CWinApp {
public:
    static const MessageMap<CVorlexiApp> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // A null name: the framework takes the application's name from the string table.
    CVorlexiApp();

    BOOL InitInstance() override;

    void OnAbout();
};
