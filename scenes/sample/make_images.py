#!/usr/bin/env python3
"""Writes the pictures of the sample scene into images/ beside this script.

Only the standard library is used: BMP files are written byte by byte
(8-bit, RLE8, 24-bit and a 1-bit mask) and the JPEG is a baseline file whose
8x8 blocks are each one flat colour, so that every block is coded by its DC
value alone. Run it again after changing a picture; the output is the same
on every run.

    python3 scenes/sample/make_images.py
"""

import math
import os
import struct

DOSSIER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")

BLANC = (255, 255, 255)
NOIR = (0, 0, 0)


# --- BMP -------------------------------------------------------------------

def bmp(largeur, hauteur, bits, palette, donnees, compression=0):
    """A BMP file from its pixel bits (bottom-up rows, already laid out)."""
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    entete = struct.pack("<IiiHHIIiiII", 40, largeur, hauteur, 1, bits, compression,
                         len(donnees), 2835, 2835, len(palette), 0)
    debut = 14 + len(entete) + len(table)
    fichier = struct.pack("<2sIHHI", b"BM", debut + len(donnees), 0, 0, debut)
    return fichier + entete + table + donnees


def lignes_8bits(pixels):
    """Uncompressed 8-bit rows, bottom-up, padded to 4 bytes."""
    sortie = bytearray()
    for ligne in reversed(pixels):
        octets = bytes(ligne)
        sortie += octets + b"\0" * (-len(octets) % 4)
    return bytes(sortie)


def lignes_rle8(pixels):
    """RLE8 rows, bottom-up: encoded runs only (the rows are made of runs)."""
    sortie = bytearray()
    for ligne in reversed(pixels):
        x = 0
        while x < len(ligne):
            n = 1
            while x + n < len(ligne) and ligne[x + n] == ligne[x] and n < 255:
                n += 1
            sortie += bytes((n, ligne[x]))
            x += n
        sortie += b"\0\0"  # end of line
    sortie[-1] = 1  # the last end of line becomes the end of the picture
    return bytes(sortie)


def lignes_24bits(pixels):
    sortie = bytearray()
    for ligne in reversed(pixels):
        octets = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in ligne)
        sortie += octets + b"\0" * (-len(octets) % 4)
    return bytes(sortie)


def lignes_1bit(pixels):
    sortie = bytearray()
    for ligne in reversed(pixels):
        octets = bytearray((len(ligne) + 7) // 8)
        for x, bit in enumerate(ligne):
            if bit:
                octets[x // 8] |= 0x80 >> (x % 8)
        sortie += octets + b"\0" * (-len(octets) % 4)
    return bytes(sortie)


# --- JPEG (flat 8x8 blocks, DC coefficients only) ----------------------------

DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]  # the standard luminance DC table
DC_VALEURS = list(range(12))


def codes_huffman(bits, valeurs):
    codes, code, k = {}, 0, 0
    for longueur in range(1, 17):
        for _ in range(bits[longueur - 1]):
            codes[valeurs[k]] = (code, longueur)
            code += 1
            k += 1
        code <<= 1
    return codes


class Bits:
    def __init__(self):
        self.octets = bytearray()
        self.valeur = 0
        self.nombre = 0

    def ecrire(self, valeur, nombre):
        for i in range(nombre - 1, -1, -1):
            self.valeur = (self.valeur << 1) | ((valeur >> i) & 1)
            self.nombre += 1
            if self.nombre == 8:
                self.octets.append(self.valeur)
                if self.valeur == 0xFF:
                    self.octets.append(0)  # byte stuffing
                self.valeur = self.nombre = 0

    def finir(self):
        while self.nombre:
            self.ecrire(1, 1)
        return bytes(self.octets)


def segment(marqueur, corps):
    return struct.pack(">BBH", 0xFF, marqueur, len(corps) + 2) + corps


def jpeg(blocs):
    """A baseline JPEG from rows of block colours (each block 8x8 pixels)."""
    hauteur, largeur = 8 * len(blocs), 8 * len(blocs[0])
    dc = codes_huffman(DC_BITS, DC_VALEURS)
    flux = Bits()
    predicteurs = [0, 0, 0]
    for rangee in blocs:
        for (r, g, b) in rangee:
            ycc = (0.299 * r + 0.587 * g + 0.114 * b,
                   -0.168736 * r - 0.331264 * g + 0.5 * b + 128,
                   0.5 * r - 0.418688 * g - 0.081312 * b + 128)
            for c in range(3):
                coefficient = int(round(8 * (ycc[c] - 128)))  # DC of a flat block, quantizer 1
                difference = coefficient - predicteurs[c]
                predicteurs[c] = coefficient
                categorie = abs(difference).bit_length()
                code, longueur = dc[categorie]
                flux.ecrire(code, longueur)
                if categorie:
                    flux.ecrire(difference if difference > 0 else difference - 1 + (1 << categorie), categorie)
                flux.ecrire(0, 1)  # end of block: the only AC code
    donnees = flux.finir()
    sortie = b"\xFF\xD8"
    sortie += segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
    sortie += segment(0xDB, b"\0" + b"\x01" * 64)
    sortie += segment(0xC0, struct.pack(">BHHB", 8, hauteur, largeur, 3) +
                      b"".join(struct.pack(">BBB", i, 0x11, 0) for i in (1, 2, 3)))
    sortie += segment(0xC4, b"\x00" + bytes(DC_BITS) + bytes(DC_VALEURS))
    sortie += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\0")
    sortie += segment(0xDA, b"\x03" + b"".join(struct.pack(">BB", i, 0) for i in (1, 2, 3)) + b"\x00\x3F\x00")
    return sortie + donnees + b"\xFF\xD9"


# --- The pictures --------------------------------------------------------------

def fond():
    """640 x 480, RLE8: a sky of 30 bands over a striped field."""
    palette = [(40 + 5 * i, 90 + 4 * i, 200 + i) for i in range(30)] + [(60, 140, 60), (90, 170, 70)]
    pixels = []
    for y in range(480):
        if y < 400:
            pixels.append([y * 30 // 400] * 640)
        else:
            pixels.append([30 + ((x + (y - 400) // 2) // 40) % 2 for x in range(640)])
    return bmp(640, 480, 8, palette, lignes_rle8(pixels), compression=1)


def disque(taille, rayon, dedans, dehors):
    c = (taille - 1) / 2
    return [[dedans(x, y) if math.hypot(x - c, y - c) <= rayon else dehors for x in range(taille)]
            for y in range(taille)]


def lutin():
    """48 x 48 red ball with white highlights, and its mask: the highlights
    stay white on the page because the mask, not the white, decides."""
    palette = [BLANC, NOIR, (220, 30, 30), (250, 210, 40)]

    def couleur(x, y):
        if math.hypot(x - 17, y - 17) < 5:
            return 0  # white highlight, opaque through the mask
        return 3 if math.hypot(x - 28, y - 28) < 6 else 2

    pixels = disque(48, 22, couleur, 0)
    for y in range(48):  # a black rim
        for x in range(48):
            if 20 <= math.hypot(x - 23.5, y - 23.5) <= 22:
                pixels[y][x] = 1
    masque = [[0 if math.hypot(x - 23.5, y - 23.5) <= 22 else 1 for x in range(48)] for y in range(48)]
    return (bmp(48, 48, 8, palette, lignes_8bits(pixels)),
            bmp(48, 48, 1, [NOIR, BLANC], lignes_1bit(masque)))


def etoile():
    """48 x 48 blue star on white with a white hole: without a mask every
    white pixel is transparent."""
    palette = [BLANC, (30, 60, 200), (120, 160, 250)]
    pixels = []
    for y in range(48):
        ligne = []
        for x in range(48):
            dx, dy = x - 23.5, y - 23.5
            angle = math.atan2(dy, dx)
            rayon = 14 + 9 * math.cos(5 * angle)
            d = math.hypot(dx, dy)
            ligne.append(0 if d < 5 or d > rayon else (2 if d < 9 else 1))
        pixels.append(ligne)
    return bmp(48, 48, 8, palette, lignes_8bits(pixels))


def halo():
    """64 x 48 rings of colour for the blends (white outside)."""
    palette = [BLANC] + [(int(127 + 127 * math.sin(i)), int(127 + 127 * math.sin(i + 2)),
                          int(127 + 127 * math.sin(i + 4))) for i in range(15)]
    pixels = [[min(15, int(math.hypot(x - 31.5, y - 23.5) / 2)) if math.hypot(x - 31.5, y - 23.5) < 30 else 0
               for x in range(64)] for y in range(48)]
    for ligne in pixels:
        for x, v in enumerate(ligne):
            ligne[x] = v if v == 0 else 16 - v
    return bmp(64, 48, 8, palette, lignes_8bits(pixels))


def bouton():
    """32 x 16, 24-bit: a green arrow on light grey."""
    pixels = []
    for y in range(16):
        ligne = []
        for x in range(32):
            fleche = (6 <= y <= 9 and 4 <= x < 20) or (20 <= x < 28 and abs(y - 7.5) <= (28 - x) * 0.9)
            ligne.append((40, 150, 60) if fleche else (200, 200, 200))
        pixels.append(ligne)
    return bmp(32, 16, 24, [], lignes_24bits(pixels))


def photo():
    """64 x 48 JPEG: a sunset in flat 8x8 blocks."""
    blocs = []
    for j in range(6):
        rangee = []
        for i in range(8):
            if j < 4:
                soleil = math.hypot(i - 5, j - 2.5) < 1.6
                rangee.append((250, 220, 90) if soleil else (240 - 25 * j, 120 - 15 * j + 5 * i, 60 + 30 * j))
            else:
                rangee.append((30 + 10 * i, 60 + 10 * (j - 4), 120))
        blocs.append(rangee)
    return jpeg(blocs)


def palette_defaut():
    """DEFAUT.PAL: a 1 x 1 8-bit picture whose table is the 6x6x6 colour cube
    and 40 greys."""
    palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    palette += [(g * 255 // 39,) * 3 for g in range(40)]
    return bmp(1, 1, 8, palette, lignes_8bits([[0]]))


def main():
    os.makedirs(DOSSIER, exist_ok=True)
    image, masque = lutin()
    fichiers = {
        "FOND.BMP": fond(),
        "LUTIN.BMP": image,
        "LUTIN.MSK": masque,
        "ETOILE.BMP": etoile(),
        "HALO.BMP": halo(),
        "BOUTON.BMP": bouton(),
        "PHOTO.JPG": photo(),
        "DEFAUT.PAL": palette_defaut(),
    }
    total = 0
    for nom, octets in fichiers.items():
        with open(os.path.join(DOSSIER, nom), "wb") as f:
            f.write(octets)
        total += len(octets)
    print(f"{len(fichiers)} files, {total} bytes in {DOSSIER}")


if __name__ == "__main__":
    main()
