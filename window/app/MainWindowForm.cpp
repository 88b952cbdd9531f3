#include "app/MainWindowForm.h"

#include "app/GraphWidget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebFrame>
#include <QWebView>

namespace {

// 10-point Arial, or larger where the application's font is larger.
QString panelStyle()
{
    const double points = qMax(10.0, QApplication::font().pointSizeF());
    return QStringLiteral("font: %1pt \"Arial\";").arg(points);
}

QAction *makeAction(QMainWindow *window, const char *objectName)
{
    auto *action = new QAction(window);
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

template<typename T> T *makeChild(QWidget *parent, const char *objectName)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QGridLayout *makeGrid(QWidget *parent, const char *objectName)
{
    auto *grid = new QGridLayout(parent);
    grid->setObjectName(QString::fromLatin1(objectName));
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(9, 6, 9, 6);
    return grid;
}

QDoubleSpinBox *makeDoubleSpinBox(QWidget *parent, const char *objectName, double maximum,
                                  double step, double value)
{
    auto *box = makeChild<QDoubleSpinBox>(parent, objectName);
    box->setDecimals(2);
    box->setRange(0.0, maximum);
    box->setSingleStep(step);
    box->setValue(value);
    return box;
}

QString text(const char *source)
{
    return QApplication::translate("textVisClass", source);
}

// Tells the thread view where the text view's page stands whenever the text view paints,
// which it does after every scroll and every new page.
class ReadingPositionRelay : public QObject
{
public:
    ReadingPositionRelay(QWebView *webView, GraphWidget *view)
        : QObject(webView)
        , m_webView(webView)
        , m_view(view)
    {
        webView->installEventFilter(this);
        relay();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            relay();
        return QObject::eventFilter(watched, event);
    }

private:
    void relay()
    {
        const QWebFrame *frame = m_webView->page()->mainFrame();
        const int value = frame->scrollBarValue(Qt::Vertical);
        const int maximum = frame->scrollBarMaximum(Qt::Vertical);
        if (value == m_value && maximum == m_maximum)
            return;
        m_value = value;
        m_maximum = maximum;
        m_view->setReadingPosition(value, maximum);
    }

    QWebView *m_webView;
    GraphWidget *m_view;
    int m_value = -1;
    int m_maximum = -1;
};

} // namespace

void MainWindowForm::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("textVisClass"));
    window->resize(1192, 881);
    createActions(window);
    setupPanes(window);
    setupViewControls();
    setupCharactersTab();
    setupBreakStringsTab();
    setupAdvancedTab();
    setupMenus(window);
    statusBar = new QStatusBar(window);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    window->setStatusBar(statusBar);

    retranslateUi(window);
    fitPanelToContents();
    connectThreadView();
    connectDrawingOptions();
    tabWidget->setCurrentIndex(0);
    QMetaObject::connectSlotsByName(window);
}

// The panel's 275 pixels are a minimum: with wider fonts the tab titles and the controls
// need more, and an explicit minimum would otherwise let the splitter cut them off. Its
// height is what its contents need at the font in use; the scroll area shows the rest.
void MainWindowForm::fitPanelToContents()
{
    groupBox->ensurePolished(); // the style sheets' font applies from here on
    tabWidget->ensurePolished();
    // The tab bar shows every title whole, so it is as wide as all of them together, and
    // the tab widget's frame lies around it.
    tabWidget->setMinimumWidth(tabWidget->tabBar()->sizeHint().width() + 4);
    groupBox->setMinimumWidth(qMax(275, groupBox->minimumSizeHint().width()));
    const int scrollBarWidth = panelScrollArea->verticalScrollBar()->sizeHint().width();
    panelScrollArea->setMinimumWidth(groupBox->minimumWidth() + scrollBarWidth);
}

void MainWindowForm::createActions(QMainWindow *window)
{
    // Every shortcut has the window's context, so Ctrl+O opens a file from anywhere in it.
    actionOpen_File = makeAction(window, "actionOpen_File");
    actionReparse = makeAction(window, "actionReparse");
    actionAutomate = makeAction(window, "actionAutomate");
    actionSave_Image = makeAction(window, "actionSave_Image");
    actionSave_markup = makeAction(window, "actionSave_markup");
    FileMenuAction = makeAction(window, "FileMenuAction");
    actionQuit = makeAction(window, "actionQuit");
    actionChange_Font = makeAction(window, "actionChange_Font");
    actionForce_Character = makeAction(window, "actionForce_Character");
    actionLoad_Colors = makeAction(window, "actionLoad_Colors");
    actionSave_Colors = makeAction(window, "actionSave_Colors");
    actionSave = makeAction(window, "actionSave");
    actionAdd_Break_String = makeAction(window, "actionAdd_Break_String");
    actionRemove_Break_String = makeAction(window, "actionRemove_Break_String");
    actionLoad_Break_Strings = makeAction(window, "actionLoad_Break_Strings");
    actionSave_Break_Strings = makeAction(window, "actionSave_Break_Strings");
    actionSave_BreakStrings_as = makeAction(window, "actionSave_BreakStrings_as");
    actionWrite_Scene_Stats = makeAction(window, "actionWrite_Scene_Stats");
    actionWrite_Character_Stats = makeAction(window, "actionWrite_Character_Stats");
    actionParsing = makeAction(window, "actionParsing");
    actionInclude_Characters = makeAction(window, "actionInclude_Characters");
}

void MainWindowForm::setupPanes(QMainWindow *window)
{
    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    horizontalLayout = new QHBoxLayout(centralWidget);
    horizontalLayout->setSpacing(6);
    horizontalLayout->setContentsMargins(11, 11, 11, 11);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));

    splitter = new QSplitter(centralWidget);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setOrientation(Qt::Horizontal);

    webView = new QWebView(splitter);
    webView->setObjectName(QStringLiteral("webView"));
    webView->setMinimumSize(QSize(100, 0));
    webView->setContextMenuPolicy(Qt::CustomContextMenu);
    webView->setUrl(QUrl(QStringLiteral("about:blank")));
    splitter->addWidget(webView);

    ThreadView = new GraphWidget(splitter);
    ThreadView->setObjectName(QStringLiteral("ThreadView"));
    ThreadView->setMinimumSize(QSize(550, 480));
    splitter->addWidget(ThreadView);

    panelScrollArea = new QScrollArea(splitter);
    panelScrollArea->setObjectName(QStringLiteral("panelScrollArea"));
    panelScrollArea->setFrameShape(QFrame::NoFrame);
    panelScrollArea->setWidgetResizable(true);
    panelScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    groupBox = new QGroupBox();
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox->setMinimumSize(QSize(275, 0));
    verticalLayout = new QVBoxLayout(groupBox);
    verticalLayout->setSpacing(6);
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    panelScrollArea->setWidget(groupBox);
    splitter->addWidget(panelScrollArea);

    horizontalLayout->addWidget(splitter);
    window->setCentralWidget(centralWidget);
}

void MainWindowForm::setupViewControls()
{
    groupBox_2 = new QGroupBox(groupBox);
    groupBox_2->setObjectName(QStringLiteral("groupBox_2"));
    groupBox_2->setMinimumWidth(275);
    // As high as its controls need at the font in use, and no higher.
    groupBox_2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    groupBox_2->setStyleSheet(panelStyle());
    gridLayout = makeGrid(groupBox_2, "gridLayout");

    label_4 = makeChild<QLabel>(groupBox_2, "label_4");
    comboBox_DrawMode = makeChild<QComboBox>(groupBox_2, "comboBox_DrawMode");
    label_6 = makeChild<QLabel>(groupBox_2, "label_6");
    doubleSpinBox_ActiveThreadSize =
        makeDoubleSpinBox(groupBox_2, "doubleSpinBox_ActiveThreadSize", 99.99, 0.1, 3.0);
    label = makeChild<QLabel>(groupBox_2, "label");
    doubleSpinBox_InactiveThreadSize =
        makeDoubleSpinBox(groupBox_2, "doubleSpinBox_InactiveThreadSize", 99.99, 0.1, 0.5);
    label_7 = makeChild<QLabel>(groupBox_2, "label_7");
    doubleSpinBox_ThreadTransparency =
        makeDoubleSpinBox(groupBox_2, "doubleSpinBox_ThreadTransparency", 1.0, 0.01, 0.2);
    label_5 = makeChild<QLabel>(groupBox_2, "label_5");
    pushButton_SpinLeft = makeChild<QPushButton>(groupBox_2, "pushButton_SpinLeft");
    pushButton_SpinRight = makeChild<QPushButton>(groupBox_2, "pushButton_SpinRight");
    pushButton = makeChild<QPushButton>(groupBox_2, "pushButton");
    pushButton->setMinimumHeight(31);

    // Labels in the first columns, values at the right; "Rotate" shares its row with the
    // two spin buttons.
    gridLayout->addWidget(label_4, 0, 0);
    gridLayout->addWidget(comboBox_DrawMode, 0, 1, 1, 2);
    gridLayout->addWidget(label_6, 1, 0, 1, 2);
    gridLayout->addWidget(doubleSpinBox_ActiveThreadSize, 1, 2);
    gridLayout->addWidget(label, 2, 0, 1, 2);
    gridLayout->addWidget(doubleSpinBox_InactiveThreadSize, 2, 2);
    gridLayout->addWidget(label_7, 3, 0, 1, 2);
    gridLayout->addWidget(doubleSpinBox_ThreadTransparency, 3, 2);
    gridLayout->addWidget(label_5, 4, 0);
    gridLayout->addWidget(pushButton_SpinLeft, 4, 1);
    gridLayout->addWidget(pushButton_SpinRight, 4, 2);
    gridLayout->addWidget(pushButton, 5, 0, 1, 3);
    verticalLayout->addWidget(groupBox_2);

    tabWidget = new QTabWidget(groupBox);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setMinimumSize(QSize(0, 600));
    tabWidget->setStyleSheet(panelStyle());
    // Every tab title is shown whole: the panel grows to the tab bar instead of scrolling it.
    tabWidget->setUsesScrollButtons(false);
    tabWidget->setElideMode(Qt::ElideNone);
    verticalLayout->addWidget(tabWidget);
}

void MainWindowForm::setupCharactersTab()
{
    tab = new QWidget();
    tab->setObjectName(QStringLiteral("tab"));
    verticalLayout_3 = new QVBoxLayout(tab);
    verticalLayout_3->setSpacing(6);
    verticalLayout_3->setContentsMargins(11, 11, 11, 11);
    verticalLayout_3->setObjectName(QStringLiteral("verticalLayout_3"));
    verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));

    listWidget = new QListWidget(tab);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    listWidget->setMinimumSize(QSize(245, 0));
    listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalLayout_2->addWidget(listWidget);

    pushButton_2 = new QPushButton(tab);
    pushButton_2->setObjectName(QStringLiteral("pushButton_2"));
    pushButton_2->setMinimumSize(QSize(220, 0));
    pushButton_2->setStyleSheet(QStringLiteral("qproperty-alignment: AlignCenter;"));
    verticalLayout_2->addWidget(pushButton_2);

    verticalLayout_3->addLayout(verticalLayout_2);
    tabWidget->addTab(tab, QString());
}

void MainWindowForm::setupBreakStringsTab()
{
    tab_2 = new QWidget();
    tab_2->setObjectName(QStringLiteral("tab_2"));
    verticalLayout_4 = new QVBoxLayout(tab_2);
    verticalLayout_4->setObjectName(QStringLiteral("verticalLayout_4"));
    verticalLayout_4->setSpacing(4);
    verticalLayout_4->setContentsMargins(0, 0, 0, 0);
    listWidget_BreakString = makeChild<QListWidget>(tab_2, "listWidget_BreakString");
    listWidget_BreakString->setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalLayout_4->addWidget(listWidget_BreakString);

    horizontalLayout_2 = new QHBoxLayout();
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    const auto addButton = [this](const char *objectName, int minimumWidth) {
        auto *button = makeChild<QPushButton>(tab_2, objectName);
        button->setMinimumWidth(minimumWidth);
        horizontalLayout_2->addWidget(button);
        return button;
    };
    pushButton_addBreakString = addButton("pushButton_addBreakString", 31);
    pushButton_removeBreakString = addButton("pushButton_removeBreakString", 31);
    horizontalLayout_2->addStretch();
    pushButton_loadBreakString = addButton("pushButton_loadBreakString", 51);
    pushButton_saveBreakString = addButton("pushButton_saveBreakString", 51);
    verticalLayout_4->addLayout(horizontalLayout_2);
    tabWidget->addTab(tab_2, QString());
}

void MainWindowForm::setupAdvancedTab()
{
    tab_3 = new QWidget();
    tab_3->setObjectName(QStringLiteral("tab_3"));
    gridLayout_2 = makeGrid(tab_3, "gridLayout_2");
    checkBox_Spheres = makeChild<QCheckBox>(tab_3, "checkBox_Spheres");
    checkBox_Springs = makeChild<QCheckBox>(tab_3, "checkBox_Springs");
    checkBox_DrawGrid = makeChild<QCheckBox>(tab_3, "checkBox_DrawGrid");
    checkBox_MoveToPlane = makeChild<QCheckBox>(tab_3, "checkBox_MoveToPlane");
    checkBox_MoveToPlane->setChecked(true);
    checkBox_DrawNames = makeChild<QCheckBox>(tab_3, "checkBox_DrawNames");
    checkBox_FlipAxis = makeChild<QCheckBox>(tab_3, "checkBox_FlipAxis");
    checkBox_FlipAxis->setChecked(true);
    pushButton_SaveImage = makeChild<QPushButton>(tab_3, "pushButton_SaveImage");
    pushButton_SaveImage->setMinimumHeight(51);
    pushButton_WriteCharacterStats =
        makeChild<QPushButton>(tab_3, "pushButton_WriteCharacterStats");
    pushButton_WriteCharacterStats->setMinimumHeight(41);
    pushButton_WriteSceneStats = makeChild<QPushButton>(tab_3, "pushButton_WriteSceneStats");
    pushButton_WriteSceneStats->setMinimumHeight(41);
    label_2 = makeChild<QLabel>(tab_3, "label_2");
    doubleSpinBox_DrawM = makeDoubleSpinBox(tab_3, "doubleSpinBox_DrawM", 99.99, 0.01, 0.1);
    label_3 = makeChild<QLabel>(tab_3, "label_3");
    doubleSpinBox_DrawExp = makeDoubleSpinBox(tab_3, "doubleSpinBox_DrawExp", 99.99, 0.1, 2.0);

    // Two columns of switches, the buttons below them, the drawing parameters at the bottom.
    gridLayout_2->addWidget(checkBox_Spheres, 0, 0);
    gridLayout_2->addWidget(checkBox_MoveToPlane, 0, 1);
    gridLayout_2->addWidget(checkBox_Springs, 1, 0);
    gridLayout_2->addWidget(checkBox_DrawNames, 1, 1);
    gridLayout_2->addWidget(checkBox_DrawGrid, 2, 0);
    gridLayout_2->addWidget(checkBox_FlipAxis, 2, 1);
    gridLayout_2->addItem(new QSpacerItem(0, 20, QSizePolicy::Minimum, QSizePolicy::Fixed), 3, 0);
    gridLayout_2->addWidget(pushButton_SaveImage, 4, 0, 1, 2);
    gridLayout_2->addWidget(pushButton_WriteCharacterStats, 5, 0);
    gridLayout_2->addWidget(pushButton_WriteSceneStats, 5, 1);
    gridLayout_2->addItem(new QSpacerItem(0, 12, QSizePolicy::Minimum, QSizePolicy::Fixed), 6, 0);
    gridLayout_2->addWidget(label_2, 7, 0);
    gridLayout_2->addWidget(doubleSpinBox_DrawM, 7, 1);
    gridLayout_2->addWidget(label_3, 8, 0);
    gridLayout_2->addWidget(doubleSpinBox_DrawExp, 8, 1);
    gridLayout_2->setRowStretch(9, 1);
    tabWidget->addTab(tab_3, QString());
}

void MainWindowForm::setupMenus(QMainWindow *window)
{
    menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setGeometry(QRect(0, 0, 1192, 21));
    const auto makeMenu = [this](const char *objectName) {
        auto *menu = new QMenu(menuBar);
        menu->setObjectName(QString::fromLatin1(objectName));
        menuBar->addAction(menu->menuAction());
        return menu;
    };
    menuFile = makeMenu("menuFile");
    menuFonts = makeMenu("menuFonts");
    menuCharacters = makeMenu("menuCharacters");
    menuBreakStrings = makeMenu("menuBreakStrings");
    menuStats = makeMenu("menuStats");
    menuOptions = makeMenu("menuOptions");
    window->setMenuBar(menuBar);

    menuFile->addActions({actionOpen_File, actionReparse, actionAutomate, actionSave_Image,
                          actionSave_markup, FileMenuAction});
    menuFile->addSeparator();
    menuFile->addAction(actionQuit);
    menuFonts->addAction(actionChange_Font);
    menuCharacters->addAction(actionForce_Character);
    menuCharacters->addSeparator();
    menuCharacters->addAction(actionLoad_Colors);
    menuCharacters->addSeparator();
    menuCharacters->addActions({actionSave_Colors, actionSave});
    menuBreakStrings->addActions({actionAdd_Break_String, actionRemove_Break_String});
    menuBreakStrings->addSeparator();
    menuBreakStrings->addAction(actionLoad_Break_Strings);
    menuBreakStrings->addSeparator();
    menuBreakStrings->addActions({actionSave_Break_Strings, actionSave_BreakStrings_as});
    menuStats->addActions({actionWrite_Scene_Stats, actionWrite_Character_Stats});
    menuOptions->addAction(actionParsing);
}

void MainWindowForm::connectThreadView()
{
    GraphWidget *view = ThreadView;
    const auto valueChanged = qOverload<double>(&QDoubleSpinBox::valueChanged);
    QObject::connect(doubleSpinBox_DrawM, valueChanged, view, &GraphWidget::changeDrawM);
    QObject::connect(doubleSpinBox_DrawExp, valueChanged, view, &GraphWidget::changeDrawPow);
    QObject::connect(checkBox_FlipAxis, &QCheckBox::stateChanged, view,
                     &GraphWidget::drawStateChanged);
    QObject::connect(pushButton_2, &QPushButton::clicked, view, &GraphWidget::ColorPicker);
    QObject::connect(listWidget, &QListWidget::itemClicked, view, &GraphWidget::ListItemClicked);
    // Crosswise by name: each box drives the width its label names (see GraphWidget).
    QObject::connect(doubleSpinBox_InactiveThreadSize, valueChanged, view,
                     &GraphWidget::changeActiveThreadSize);
    QObject::connect(pushButton_SpinLeft, &QPushButton::released, view, &GraphWidget::spinLeft);
    QObject::connect(pushButton, &QPushButton::released, view, &GraphWidget::reset);
    QObject::connect(pushButton_SpinRight, &QPushButton::released, view, &GraphWidget::spinRight);
    QObject::connect(doubleSpinBox_ActiveThreadSize, valueChanged, view,
                     &GraphWidget::changeInactiveThreadSize);
    QObject::connect(comboBox_DrawMode, qOverload<int>(&QComboBox::currentIndexChanged), view,
                     &GraphWidget::changeDrawMode);
    // The selected text reaches the view first: connections run in the order they are made.
    QWebView *text = webView;
    QObject::connect(webView, &QWebView::selectionChanged, view,
                     [text, view] { view->setSelectedText(text->selectedText()); });
    QObject::connect(webView, &QWebView::selectionChanged, view, &GraphWidget::selectionChanged);
    QObject::connect(doubleSpinBox_ThreadTransparency, valueChanged, view,
                     &GraphWidget::changeThreadTransparency);
    QObject::connect(comboBox_DrawMode, qOverload<int>(&QComboBox::activated), view,
                     &GraphWidget::changeDrawMode);
}

// The switches of the "Advanced" tab and the text view's selection and scroll position
// reach the thread view as they change; it holds none of these widgets.
void MainWindowForm::connectDrawingOptions()
{
    GraphWidget *view = ThreadView;
    const std::pair<QCheckBox *, void (GraphWidget::*)(bool)> switches[] = {
        {checkBox_Spheres, &GraphWidget::setSpheres},
        {checkBox_Springs, &GraphWidget::setSprings},
        {checkBox_DrawGrid, &GraphWidget::setDrawGrid},
        {checkBox_FlipAxis, &GraphWidget::setFlipAxis},
        {checkBox_MoveToPlane, &GraphWidget::setMoveToPlane},
        {checkBox_DrawNames, &GraphWidget::setDrawNames}};
    for (const auto &[box, setter] : switches) {
        (view->*setter)(box->isChecked());
        QObject::connect(box, &QCheckBox::toggled, view, setter);
    }
    new ReadingPositionRelay(webView, view);
}

void MainWindowForm::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(text("textVisClass"));
    retranslateActions();
    retranslateControls();
    menuFile->setTitle(text("File"));
    menuFonts->setTitle(text("Fonts"));
    menuCharacters->setTitle(text("Characters"));
    menuBreakStrings->setTitle(text("BreakStrings"));
    menuStats->setTitle(text("Stats"));
    menuOptions->setTitle(text("Options"));
}

void MainWindowForm::retranslateActions()
{
    actionOpen_File->setText(text("Open File"));
    actionOpen_File->setWhatsThis(text("Open a file"));
    actionOpen_File->setShortcut(QKeySequence(text("Ctrl+O")));
    actionReparse->setText(text("Reparse"));
    actionReparse->setShortcut(QKeySequence(text("Ctrl+R")));
    actionAutomate->setText(text("Automate"));
    actionAutomate->setShortcut(QKeySequence(text("Ctrl+A")));
    actionSave_Image->setText(text("Save Image"));
    actionSave_Image->setShortcut(QKeySequence(text("Ctrl+I")));
    actionSave_markup->setText(text("Save Markup"));
    actionSave_markup->setShortcut(QKeySequence(text("Ctrl+S")));
    FileMenuAction->setText(text("About"));
    actionQuit->setText(text("Quit"));
    actionQuit->setShortcut(QKeySequence(text("Ctrl+Q")));
    actionChange_Font->setText(text("Change Font"));
    actionForce_Character->setText(text("Force Character"));
    actionLoad_Colors->setText(text("Load Colors..."));
    actionSave_Colors->setText(text("Save Colors"));
    actionSave->setText(text("Save Colors as..."));
    actionAdd_Break_String->setText(text("Add BreakString"));
    actionRemove_Break_String->setText(text("Remove BreakString"));
    actionLoad_Break_Strings->setText(text("Load BreakStrings..."));
    actionSave_Break_Strings->setText(text("Save BreakStrings"));
    actionSave_BreakStrings_as->setText(text("Save BreakStrings as..."));
    actionWrite_Scene_Stats->setText(text("Write Scene Stats"));
    actionWrite_Character_Stats->setText(text("Write Character Stats"));
    actionParsing->setText(text("Parsing"));
    actionInclude_Characters->setText(text("Include Characters"));
}

void MainWindowForm::retranslateControls()
{
    groupBox->setTitle(QString());
    groupBox_2->setTitle(QString());
    label_4->setText(text("Mode"));
    label_6->setText(text("Active Thread Size"));
    label->setText(text("InActive Thread Size"));
    label_7->setText(text("Thread Transparency"));
    label_5->setText(text("Rotate"));
    pushButton_SpinLeft->setText(text("<"));
    pushButton_SpinRight->setText(text(">"));
    pushButton->setText(text("Reset"));
    pushButton_2->setText(text("Color Picker"));
    tabWidget->setTabText(tabWidget->indexOf(tab), text("Characters"));
    pushButton_addBreakString->setText(text("+"));
    pushButton_removeBreakString->setText(text("-"));
    pushButton_loadBreakString->setText(text("Load"));
    pushButton_saveBreakString->setText(text("Save"));
    tabWidget->setTabText(tabWidget->indexOf(tab_2), text("BreakStrings"));
    checkBox_Spheres->setText(text("Draw Spheres"));
    checkBox_Springs->setText(text("Draw Springs"));
    checkBox_DrawGrid->setText(text("Draw Grid"));
    checkBox_MoveToPlane->setText(text("Move To Plane"));
    checkBox_DrawNames->setText(text("Draw Names"));
    checkBox_FlipAxis->setText(text("Flip Axis"));
    pushButton_SaveImage->setText(text("Save Image"));
    pushButton_WriteCharacterStats->setText(text("Character Stats"));
    pushButton_WriteSceneStats->setText(text("Scene Stats"));
    label_2->setText(text("DrawM"));
    label_3->setText(text("DrawExp"));
    tabWidget->setTabText(tabWidget->indexOf(tab_3), text("Advanced"));
}
