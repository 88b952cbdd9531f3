#pragma once

class GraphWidget;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QVBoxLayout;
class QWebView;
class QWidget;

// The main window's widget tree, built once like a designer form. Every widget carries the
// object name the rest of the program (and its tests) address it by.
class MainWindowForm
{
public:
    QAction *actionOpen_File = nullptr;
    QAction *actionReparse = nullptr;
    QAction *actionAutomate = nullptr;
    QAction *actionSave_Image = nullptr;
    QAction *actionSave_markup = nullptr;
    QAction *FileMenuAction = nullptr;
    QAction *actionQuit = nullptr;
    QAction *actionChange_Font = nullptr;
    QAction *actionForce_Character = nullptr;
    QAction *actionLoad_Colors = nullptr;
    QAction *actionSave_Colors = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionAdd_Break_String = nullptr;
    QAction *actionRemove_Break_String = nullptr;
    QAction *actionLoad_Break_Strings = nullptr;
    QAction *actionSave_Break_Strings = nullptr;
    QAction *actionSave_BreakStrings_as = nullptr;
    QAction *actionWrite_Scene_Stats = nullptr;
    QAction *actionWrite_Character_Stats = nullptr;
    QAction *actionParsing = nullptr;
    QAction *actionInclude_Characters = nullptr; // in no menu; kept for old key bindings

    QWidget *centralWidget = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QSplitter *splitter = nullptr;
    QWebView *webView = nullptr;
    GraphWidget *ThreadView = nullptr;
    // The panel scrolls where the window is too small for it, rather than clip it.
    QScrollArea *panelScrollArea = nullptr;
    QGroupBox *groupBox = nullptr;
    QVBoxLayout *verticalLayout = nullptr;

    QGroupBox *groupBox_2 = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLabel *label_4 = nullptr;
    QComboBox *comboBox_DrawMode = nullptr;
    QLabel *label_6 = nullptr;
    QDoubleSpinBox *doubleSpinBox_ActiveThreadSize = nullptr;
    QLabel *label = nullptr;
    QDoubleSpinBox *doubleSpinBox_InactiveThreadSize = nullptr;
    QLabel *label_7 = nullptr;
    QDoubleSpinBox *doubleSpinBox_ThreadTransparency = nullptr;
    QLabel *label_5 = nullptr;
    QPushButton *pushButton_SpinLeft = nullptr;
    QPushButton *pushButton_SpinRight = nullptr;
    QPushButton *pushButton = nullptr;

    QTabWidget *tabWidget = nullptr;
    QWidget *tab = nullptr;
    QVBoxLayout *verticalLayout_3 = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QListWidget *listWidget = nullptr;
    QPushButton *pushButton_2 = nullptr;

    QWidget *tab_2 = nullptr;
    QVBoxLayout *verticalLayout_4 = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QListWidget *listWidget_BreakString = nullptr;
    QPushButton *pushButton_addBreakString = nullptr;
    QPushButton *pushButton_removeBreakString = nullptr;
    QPushButton *pushButton_loadBreakString = nullptr;
    QPushButton *pushButton_saveBreakString = nullptr;

    QWidget *tab_3 = nullptr;
    QGridLayout *gridLayout_2 = nullptr;
    QCheckBox *checkBox_Spheres = nullptr;
    QCheckBox *checkBox_Springs = nullptr;
    QCheckBox *checkBox_DrawGrid = nullptr;
    QCheckBox *checkBox_MoveToPlane = nullptr;
    QCheckBox *checkBox_DrawNames = nullptr;
    QCheckBox *checkBox_FlipAxis = nullptr;
    QPushButton *pushButton_SaveImage = nullptr;
    QPushButton *pushButton_WriteCharacterStats = nullptr;
    QPushButton *pushButton_WriteSceneStats = nullptr;
    QLabel *label_2 = nullptr;
    QDoubleSpinBox *doubleSpinBox_DrawM = nullptr;
    QLabel *label_3 = nullptr;
    QDoubleSpinBox *doubleSpinBox_DrawExp = nullptr;

    QMenuBar *menuBar = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuFonts = nullptr;
    QMenu *menuCharacters = nullptr;
    QMenu *menuBreakStrings = nullptr;
    QMenu *menuStats = nullptr;
    QMenu *menuOptions = nullptr;
    QStatusBar *statusBar = nullptr;

    // Builds the tree on the window, wires the controls to the thread view, shows the first
    // tab and connects the window's slots by name.
    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);

private:
    void createActions(QMainWindow *window);
    void setupPanes(QMainWindow *window);
    void setupViewControls();
    void setupCharactersTab();
    void setupBreakStringsTab();
    void setupAdvancedTab();
    void setupMenus(QMainWindow *window);
    void fitPanelToContents();
    void connectThreadView();
    void connectDrawingOptions();
    void retranslateActions();
    void retranslateControls();
};
