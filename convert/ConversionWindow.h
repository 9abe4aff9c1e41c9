#pragma once

#include <string>

enum class MessageIcon { None, Information, Exclamation, Question };

// Everything the conversion engine does to the main window. The window carries out each call
// on its own thread while the worker waits, so every call is synchronous.
class ConversionWindow {
public:
    virtual ~ConversionWindow() = default;

    // A modal message box with the caption "Message" and an OK button.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetProgressText(const std::string& text) = 0;

    // Timer 1, 10 milliseconds; starting it while it runs replaces it.
    virtual void StartActivityTimer() = 0;
    virtual void StopActivityTimer() = 0;

    virtual void StepTableBar() = 0;

    // The table check list and the database selection, read at the start of a run.
    virtual int TableItemCount() = 0;
    virtual bool IsTableChecked(int index) = 0;
    virtual void UncheckTable(int index) = 0;
    // The selected database's text; false when no item is selected.
    virtual bool SelectedDatabase(std::string& name) = 0;

    // After the empty-selection warning: greyed Convert image hidden, Convert shown.
    virtual void RestoreConvertButton() = 0;
    // Start of a run: bars at 0, lists and Select All disabled, table bar range 0..tablesChecked
    // with step 1, greyed Convert shown, Convert and Back hidden, Stop and progress shown.
    virtual void BeginRunControls(int tablesChecked) = 0;
    // End of a run: the reverse, the activity timer stopped, the window restored from
    // minimised, the title reset, Select All unchecked.
    virtual void EndRunControls() = 0;
};
