#pragma once

// Registers, once, the accessible face of ColourButton: role Button, its held, latched and
// flashing states, and a press action.
void InstallColourButtonAccessibility();
