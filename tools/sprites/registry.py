"""The list of sprites and the decorator the art files register them with."""
import importlib
import os
import pkgutil

ORDER = """ant antqueen archdemon archer banshee basilisk bat bear beetle behemoth boar caterpillar
centaur centipede cerberus chimera cicada cleric cobra cockatrice condor crab crocodile cyclops
demonlord dieb djinn dragon dragonfly dragonking druide eagle earwig ent fairy fenrir firefly frog
frostgiant gargoyle gnoll goblin golem gorilla griffin grub harpy hornet hornetqueen hydra hydraking
hyena imp jackal kelpie kobold kraken lich lion lizard locust mage mammoth manticore mantis mantislord
medusa mermaid minotaur minotaurking mole mosquito moth mushroom ogre orc owl panther pegasus phoenix
phoenixlord python ram rat rhino roach rogue salamander satyr scarab scorpion serpent shadowking shark
skeleton slime snail sphinx spider stag stagbeetle tarantula termite tick tiger titan toad troll
turtle unicorn vampire viper vulture warrior warthog weevil wendigo werewolf wisp wolf worldserpent
wraith wyvern""".split()

_SPECS = {}


def _outline_of(c1):
    r, g, b = c1 >> 16 & 0xFF, c1 >> 8 & 0xFF, c1 & 0xFF
    return int(r * 0.25) << 16 | int(g * 0.25) << 8 | int(b * 0.25)


class Spec:
    def __init__(self, name, fn, size, body, eye, mats, outline, white, scale, lift, nudge, align, rim):
        self.name = name
        self.fn = fn
        self.size = size
        self.body = body
        self.eye = eye
        self.mats = mats or {}
        self.outline = _outline_of(body[0]) if outline is None else outline
        self.white = white
        self.scale = scale
        self.lift = lift
        self.nudge = nudge
        self.align = align
        self.rim = rim


def sprite(name, size=32, body=(0x303030, 0x606060, 0x909090), eye=0xF0D040, mats=None,
           outline=None, white=0xFFF4E0, scale=1.0, lift=0, nudge=0, align=True, rim=None):
    """Registers fn(canvas, frame) as the sprite `name`; it draws frame 0 and
    the idle frame 1.

    body: dark, mid and light body colours (the recolourable keys 1, 2, 3);
    eye: the colour of key 'e'; mats: further materials, name -> colour, or
    (colour, 'flat') for a single tone; a one-character name is its own key.
    lift raises a flying figure off the ground; nudge moves it sideways.
    rim: a key or material that lights the top and side edges of the
    silhouette wherever the figure is darker, so that a dark creature keeps
    its shape on a dark scene.
    """
    def deco(fn):
        if name in _SPECS:
            raise ValueError("sprite %s registered twice" % name)
        _SPECS[name] = Spec(name, fn, size, body, eye, mats, outline, white, scale, lift, nudge,
                             align, rim)
        return fn
    return deco


def load():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "art")
    for mod in sorted(m.name for m in pkgutil.iter_modules([here])):
        importlib.import_module("art." + mod)
    return [_SPECS[n] for n in ORDER if n in _SPECS] + [s for n, s in _SPECS.items() if n not in ORDER]
