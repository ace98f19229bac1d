// The component names: each window's widgets by their role, with the name
// the component list gives them, which is the widget's objectName. Code
// reaches a widget through its role member; tests and readers of the
// component list find it by this name.
#pragma once

#include <QString>
#include <array>

namespace ui {

// The main window "RUR" (app/window/main_window.h).
struct MainWindowNames {
  const char* window = "Form1";
  const char* programName = "Panel2";  // "Programm: " and the file's name
  const char* blockSkipBox = "CheckBox1";
  const char* editor = "showeditor";
  const char* listingText = "simArray";  // hidden
  const char* statusPanel = "Panel1";
  const char* statusLine = "meldung";
  const char* pictureFrame = "Panel4";
  const char* picture = "Image0";  // the work area
  const char* newButton = "neues";
  const char* loadButton = "laden";
  const char* saveButton = "speichern";
  const char* toolsButton = "Werkzeugtaste";
  const char* zeroPointsButton = "nullpunkt";
  const char* installationButton = "Schnittstelle";
  const char* drawButton = "simuliere";
  const char* sendButton = "senden";
  const char* abortButton = "abbruch";
  const char* errorSearchButton = "fehlersuche";
  const char* sendFromButton = "absatzsenden";
  const char* closeButton = "beenden";
  const char* progressBar = "OvcMeter1";
  const char* startPicture = "ende";
  const char* endPicture = "Image2";
  const char* openDialog = "OpenDialog1";
  const char* saveDialog = "SaveDialog1";
  const char* serialLine = "ApdComPort1";
  const char* transferFigures = "satzanzeige";  // block, time and time left under the progress bar
  const char* transferLogButton = "protokoll";
};

// The path view window "Ansicht" (app/window/view_window.h).
struct ViewWindowNames {
  const char* window = "Ansicht";
  const char* view = "view";
  const char* fitButton = "einpassen";
  const char* rapidRate = "eilgang";
  const char* position = "position";
  const char* pickedBlock = "meldung";
  const char* statistics = "statistik";
  const char* contourBox = "kontur";
  const char* contourNote = "konturhinweis";
  const char* depthBox = "tiefe";
  const char* depthLegend = "legende";
};

// The message window "Meldung".
struct MessageWindowNames {
  const char* window = "form3";
  const char* number = "Label4";
  const char* description = "Label5";
  const char* program = "Label6";
  const char* block = "Label7";
  const char* okButton = "OKBtn";
};

// The installation dialog "Installationsroutine".
struct InstallationDialogNames {
  const char* window = "Form2";
  const char* menuBar = "MainMenu1";
  const char* directoryItem = "DatenUnterverzeichnis1";
  const char* portItem = "Schnittstelle1";
  const char* controllerItem = "Steuerung1";
  const char* dimensionsItem = "NullPunktZ1";
  const char* saveItem = "Speichern1";
  const char* endItem = "Ende1";
  const char* directoryPanel = "Panel1";
  const char* directoryLabel = "Label1";
  const char* directoryField = "Edit1";
  const char* directoryOkButton = "BitBtn3";
  const char* directoryCancelButton = "BitBtn4";
};

// The dimensions dialog "Abmessungen".
struct DimensionsDialogNames {
  const char* window = "Form5";
  std::array<const char*, 3> rowLabels{"Label1", "Label2", "Label3"};
  const char* table = "Tabelle";
  const char* okButton = "OKBtn";
  const char* cancelButton = "CancelBtn";
};

// The zero-point dialog "Nullpunktverschiebungen".
struct ZeroPointDialogNames {
  const char* window = "Form4";
  std::array<const char*, 5> rowLabels{"G54", "G55", "G56", "G57", "G58"};
  const char* table = "Tabelle";
  const char* saveButton = "SpeichernBtn";
  const char* clearButton = "InitBtn";
  const char* cancelButton = "AbbruchBtn";
};

// The tool dialog "Werkzeugdaten".
struct ToolDialogNames {
  const char* window = "werkzeug";
  const char* table = "Tabelle";
  const char* saveButton = "SpeichernBtn";
  const char* cancelButton = "AbbruchBtn";
  const char* clearButton = "InitialBtn";
  const char* showPictureButton = "ZeigenBtn";
  const char* picture = "Bild";
};

// The error search's dialog "Eingeben".
struct LineNumberDialogNames {
  const char* window = "Eingeben";
  const char* label = "Label1";
  const char* field = "Zeile";
  const char* okButton = "OKBtn";
  const char* cancelButton = "CancelBtn";
};

// The port dialog "Com Port Options".
struct PortDialogNames {
  const char* window = "ComPortOptions";
  const char* port = "Port";
  const char* baud = "Baud";
  const char* parity = "Parity";
  const char* dataBits = "DataBits";
  const char* stopBits = "StopBits";
  const char* dtrDsr = "DtrDsr";
  const char* rtsCts = "RtsCts";
  const char* softwareTransmit = "SoftwareTransmit";
  const char* softwareReceive = "SoftwareReceive";
  const char* xOnChar = "XOnChar";
  const char* xOffChar = "XOffChar";
  const char* device = "Device";
  const char* warnings = "Warnings";
  const char* trace = "Trace";
  const char* okButton = "OKBtn";
  const char* cancelButton = "CancelBtn";
};

// The window "Import" with the notes of the last import.
struct ImportNotesNames {
  const char* window = "Import";
  const char* summary = "zusammenfassung";
  const char* notes = "hinweise";
};

// The window "Protokoll" with the transfer log, newest entry first.
struct TransferLogNames {
  const char* window = "Protokoll";
  const char* entries = "eintraege";
};

// The editor's dialogs "Suchen" and "Gehe zu Zeile", and its line numbers.
struct FindDialogNames {
  const char* window = "Suchen";
  const char* text = "Suchtext";
  const char* matchCase = "GrossKlein";
  const char* status = "Status";
  const char* findNextButton = "Weitersuchen";
  const char* closeButton = "CloseBtn";
};
struct GoToLineDialogNames {
  const char* window = "GeheZuZeile";
  const char* label = "Label1";
  const char* line = "Zeile";
  const char* okButton = "OKBtn";
  const char* cancelButton = "CancelBtn";
};
inline constexpr char kGutterName[] = "gutter";

// The window "Hilfe" with the page on keys and NC words.
struct HelpWindowNames {
  const char* window = "Hilfe";
  const char* page = "seite";
};

// Gives object its component name; returns it.
template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

inline constexpr MainWindowNames kMainWindowNames;
inline constexpr ViewWindowNames kViewWindowNames;
inline constexpr MessageWindowNames kMessageWindowNames;
inline constexpr InstallationDialogNames kInstallationDialogNames;
inline constexpr DimensionsDialogNames kDimensionsDialogNames;
inline constexpr ZeroPointDialogNames kZeroPointDialogNames;
inline constexpr ToolDialogNames kToolDialogNames;
inline constexpr LineNumberDialogNames kLineNumberDialogNames;
// "Ab Satz senden" asks for its block number in the same dialog.
inline constexpr LineNumberDialogNames kSendFromDialogNames{.window = "AbSatz", .field = "Satz"};
inline constexpr PortDialogNames kPortDialogNames;
inline constexpr ImportNotesNames kImportNotesNames;
inline constexpr TransferLogNames kTransferLogNames;
inline constexpr FindDialogNames kFindDialogNames;
inline constexpr GoToLineDialogNames kGoToLineDialogNames;
inline constexpr HelpWindowNames kHelpWindowNames;

}  // namespace ui
