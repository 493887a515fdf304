#pragma once
// The viewer's two keys: Up starts the music, Escape ends the demo. Both act
// when the key is let go.

struct GLFWwindow;

void keyCallback(int key, int action);

// GLFW's key callback; hands the key and action to keyCallback.
void glfwKeyAdapter(GLFWwindow* window, int key, int scancode, int action, int mods);
