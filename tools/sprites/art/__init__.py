"""Sprite descriptions, one module per family of creatures."""
