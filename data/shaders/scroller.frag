#version 110
// Letters lit like a sunset: deep violet at the baseline burning up to orange
// at the cap height, with a bright seam across the middle and a darker shade
// towards each glyph's right side. Dark enough to read on white and cyan.

varying vec2 emPlace;

const float capHeight = 0.72;
const vec3 baseline = vec3(0.22, 0.02, 0.42);
const vec3 capColour = vec3(0.92, 0.32, 0.02);
const vec3 seamColour = vec3(1.0, 0.85, 0.35);

void main() {
  float height = clamp(emPlace.y / capHeight, 0.0, 1.0);
  vec3 colour = mix(baseline, capColour, smoothstep(0.0, 1.0, height));
  float seam = 1.0 - smoothstep(0.0, 0.06, abs(height - 0.55));
  colour = mix(colour, seamColour, 0.6 * seam);
  colour *= 1.0 - 0.25 * clamp(emPlace.x, 0.0, 1.0);
  gl_FragColor = vec4(colour, gl_Color.a);
}
