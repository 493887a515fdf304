#pragma once
// The viewer's two keys: Up starts the music, Escape asks the demo's window
// to close, which ends the demo at the end of the frame. Both act when the
// key is let go.

struct GLFWwindow;

void keyCallback(int key, int action);

// GLFW's key callback; hands the key and action to keyCallback.
void glfwKeyAdapter(GLFWwindow* window, int key, int scancode, int action, int mods);
