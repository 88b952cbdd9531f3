#pragma once

// What the thread renderer needs to know about the view besides the model: the controls
// of the main window as they stand this frame, and the camera. The window's thread view
// holds one and changes it in place (a frame turns the rotation one step); the
// command-line renderer fills one per picture.
struct ViewState
{
    enum DrawMode {
        ForceDirected = 0,
        ColorWeaving = 1,
        ConvergenceGraph = 2,
        IncreasingGraph = 3
    };

    int drawMode = ForceDirected; // values outside 0..3 draw ForceDirected
    float activeThreadSize = 3.0f;
    float inactiveThreadSize = 0.5f;
    float threadTransparency = 0.2f;
    float drawM = 0.1f;
    // Pan x, pan y and zoom distance; the zoom factor is (viewOffset[2] / 26)^-2.
    float viewOffset[3] = {0.0f, 0.0f, -26.0f};
    // Degrees about the y, x and z axes; the view turns from rotation towards the target.
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    float targetRotation[3] = {0.0f, 0.0f, 0.0f};
    float spinSpeed = 1.0f;
    int selectedIndex = -1;

    bool spheres = false;
    bool springs = false;
    bool drawGrid = false;
    bool flipAxis = false;
    bool moveToPlane = false;
    bool drawNames = false;

    // The text view's vertical scroll bar; the reading grid follows it.
    bool hasTextView = false;
    int scrollValue = 0;
    int scrollMaximum = 0;

    int viewportWidth = 0;
    int viewportHeight = 0;
};

// Field by field; floats compare by value, so two states are equal when they draw alike.
bool operator==(const ViewState &a, const ViewState &b);
inline bool operator!=(const ViewState &a, const ViewState &b)
{
    return !(a == b);
}
