#!/usr/bin/env python3
"""Writes the guided method's files of the sample beside this script, in
methode/, which the build copies beside the sample's scene folder:

    methode/TEXTES/V21/MET<code>.RTF   the method text of each of the 45 steps
    methode/TEXTES/V21/EXP<code>.RTF   an example, for the steps without sub-steps
    methode/TEXTES/V21/SAV<code>.RTF   "en savoir plus": a menu, then its sections
    methode/TEXTES/aide/<code>.RTF     help texts
    methode/TEXTES/GLOSSAIRE.RTF       the glossary, one entry "mot* : définition¤" each
    methode/IMAGES/TABLEAU/*.BMP        the seen and not-seen marks
    methode/boulertf.txt                the bullet, an RTF fragment

Sections of a text are cut by the marker "¤"; glossary words are red and
underlined. Only the standard library is used; the output is the same on
every run.

    python3 scenes/sample/make_methode.py
"""

import os
import re

from make_images import bmp, lignes_8bits

DOSSIER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "methode")

# The steps: code, title, sub-steps, then for each a sentence, two
# questions and a piece of advice. [[...]] marks a glossary word.
ETAPES = [
    ("0", "Introduction", 0, "Le plan d'affaires présente votre projet à ceux qui le financeront.",
     "À qui s'adresse ce plan ?", "Que voulez-vous obtenir ?", "Écrivez-le pour un lecteur pressé."),
    ("1", "Présentation générale du projet", 2, "Ce chapitre résume le projet et présente l'entreprise.",
     "Quel est le projet en une phrase ?", "Qui le porte ?", "Rédigez-le en dernier."),
    ("11", "Executive Summary", 0, "Une page qui donne envie de lire la suite : le projet, le marché, les chiffres clés.",
     "Quel [[chiffre d'affaires]] visez-vous dans trois ans ?", "Combien demandez-vous ?", "Une page, pas plus."),
    ("12", "Fiche d'identité de l'entreprise", 0, "Les renseignements pratiques : nom, forme, adresse, capital.",
     "Quelle forme juridique ?", "Quel capital ?", "Remplissez la fiche d'identité."),
    ("2", "L'entreprise au ../../..", 3, "Où en est l'entreprise aujourd'hui : son histoire, ses dirigeants, son produit.",
     "Depuis quand existe-t-elle ?", "Que vend-elle ?", "Restez factuel."),
    ("21", "Historique", 0, "Les grandes dates de l'entreprise ou du projet.",
     "Quand l'idée est-elle née ?", "Quelles étapes sont franchies ?", "Une date par ligne."),
    ("22", "Le management", 0, "L'équipe dirigeante et ses compétences.",
     "Qui dirige ?", "Quelles compétences manquent ?", "Montrez que l'équipe est complète."),
    ("23", "Le produit", 0, "Ce que vous vendez et le besoin auquel il répond.",
     "Quel besoin satisfait-il ?", "En quoi est-il différent ?", "Parlez des clients, pas de la technique."),
    ("3", "Le Marché", 5, "Ce chapitre décrit le marché : sa taille, la demande, la concurrence.",
     "Quel marché visez-vous ?", "Combien de clients ?", "Citez vos sources."),
    ("31", "L'étude de marché", 0, "Comment vous avez étudié le marché.",
     "Quelles sources ?", "Quelles enquêtes ?", "Datez vos chiffres."),
    ("32", "L'environnement", 2, "Ce qui entoure le marché : la technologie et le contexte.",
     "Quelles évolutions ?", "Quelles règles ?", "Pensez aux cinq prochaines années."),
    ("321", "L'état de l'art de la technologie", 0, "Où en est la technique dans votre domaine.",
     "Quelles technologies existent ?", "Lesquelles arrivent ?", "Restez compréhensible."),
    ("322", "Le Contexte", 0, "Le contexte économique, réglementaire et social.",
     "Quelles lois s'appliquent ?", "Quelles tendances ?", "Retenez ce qui touche votre projet."),
    ("33", "La demande", 3, "Qui achète, combien et pourquoi.",
     "Combien de clients ?", "Quels besoins ?", "Chiffrez la demande."),
    ("331", "Les chiffres: potentiel et tendances", 0, "La taille du marché et son évolution.",
     "Quel volume ?", "Quelle croissance ?", "Donnez une fourchette."),
    ("332", "Analyse qualitative et segmentation", 0, "Les groupes de clients : la [[segmentation]].",
     "Quels segments ?", "Lequel viser d'abord ?", "Un segment à la fois."),
    ("333", "Les résultats terrain", 0, "Ce que les premiers clients ont dit.",
     "Combien d'entretiens ?", "Quelles réponses ?", "Citez des clients."),
    ("34", "La concurrence", 3, "Les concurrents, leurs produits et leurs stratégies.",
     "Qui sont-ils ?", "Où sont-ils forts ?", "Ne dites jamais qu'il n'y a pas de concurrent."),
    ("341", "La pénétration du marché", 0, "La part de marché des concurrents.",
     "Qui domine ?", "Quelle place reste-t-il ?", "Un tableau vaut mieux qu'un long texte."),
    ("342", "Les produits analyse comparative", 0, "Vos produits comparés à ceux des concurrents.",
     "Quels critères ?", "Où êtes-vous meilleur ?", "Remplissez le tableau des concurrents."),
    ("343", "Les stratégies commerciales et les moyens mis  en oeuvre", 0, "Comment les concurrents vendent.",
     "Quels canaux ?", "Quels budgets ?", "Observez leurs prix."),
    ("35", "Opportunité de développement / Avantages concurrentiels", 0,
     "Votre [[avantage concurrentiel]] : ce qui vous fera choisir.",
     "Pourquoi vous ?", "Est-ce durable ?", "Un avantage se prouve."),
    ("4", "Stratégies de développement et plans d'action", 4, "Comment vous comptez réussir.",
     "Quelle stratégie ?", "Quels moyens ?", "Reliez chaque action à un objectif."),
    ("41", "Le business model", 0, "Comment l'entreprise gagne de l'argent : son [[business model]].",
     "Qui paie ?", "Pour quoi ?", "Faites simple."),
    ("42", "La stratégie produit", 5, "Le produit, son prix, sa recherche et sa protection.",
     "Quelle gamme ?", "Quel prix ?", "Suivez les sous-étapes."),
    ("421", "Adéquation produit/marché", 0, "Le produit répond-il à la demande ?",
     "Les clients l'achètent-ils ?", "À quel rythme ?", "Mesurez, ne supposez pas."),
    ("422", "Positionnement et prix", 0, "Votre [[positionnement]] et votre prix.",
     "Haut ou bas de gamme ?", "Quel prix ?", "Le prix suit le positionnement."),
    ("423", "Programme de R&D", 0, "Les travaux de recherche à mener.",
     "Quels travaux ?", "Quel budget ?", "Remplissez le tableau de R&D."),
    ("424", "Protection industrielle", 0, "Brevets, marques et modèles.",
     "Que protéger ?", "Où ?", "Déposez avant de montrer."),
    ("43", "La stratégie de production", 3, "Comment vous produisez.",
     "Faire ou faire faire ?", "À quel coût ?", "Suivez les sous-étapes."),
    ("431", "Organisation", 0, "L'organisation de la production.",
     "Quels postes ?", "Quels délais ?", "Un schéma aide."),
    ("432", "Politique d'achat", 0, "Vos fournisseurs et vos conditions d'achat.",
     "Quels fournisseurs ?", "Quels délais de paiement ?", "Ayez deux fournisseurs."),
    ("433", "Budget de production et Coût de revient unitaire", 0, "Le [[coût de revient]] d'une unité.",
     "Quelles charges ?", "Quel volume ?", "Remplissez le tableau du coût unitaire."),
    ("44", "Stratégie commerciale", 3, "Comment vous vendez.",
     "Quels objectifs ?", "Quels canaux ?", "Suivez les sous-étapes."),
    ("441", "Objectifs commerciaux", 0, "Le [[chiffre d'affaires]] visé, année par année.",
     "Combien de clients ?", "Quel panier moyen ?", "Soyez prudent la première année."),
    ("442", "Organisation de la mise sur le marché", 0, "Le lancement : réseau, communication, distribution.",
     "Quels canaux ?", "Quel calendrier ?", "Lancez petit, puis élargissez."),
    ("443", "Plan d'action commercial", 0, "Les actions commerciales et leur coût.",
     "Quelles actions ?", "Quel budget ?", "Ouvrez le tableau de bord commercial."),
    ("5", "Le calendrier du projet", 0, "Les grandes étapes et leurs dates.",
     "Quand lancer ?", "Quelles étapes clés ?", "Remplissez le plan d'action."),
    ("6", "L'organisation des moyens à mettre en oeuvre", 3, "Les moyens humains, techniques et juridiques.",
     "Qui ?", "Avec quoi ?", "Suivez les sous-étapes."),
    ("61", "Organisation et moyens humains", 0, "Les recrutements et l'organisation.",
     "Combien de personnes ?", "Quand ?", "Remplissez le tableau des effectifs."),
    ("62", "Les moyens techniques", 0, "Les locaux, les machines, les logiciels.",
     "Quels investissements ?", "Achat ou location ?", "Comptez-les dans le [[plan de financement]]."),
    ("63", "La structure juridique", 0, "La forme de la société et la répartition du capital.",
     "Quelle forme ?", "Quels associés ?", "Demandez conseil."),
    ("7", "Bilan des risques et des opportunités", 0, "Forces, faiblesses, opportunités et menaces : l'analyse [[SWOT]].",
     "Quels risques ?", "Comment les réduire ?", "Remplissez le tableau SWOT."),
    ("8", "Conclusion", 0, "Ce que vous demandez et ce que vous offrez en retour.",
     "Combien demandez-vous ?", "Pour quoi faire ?", "Finissez sur votre demande."),
    ("9", "Annexes", 0, "Les documents utiles : comptes, CV, études, [[trésorerie]] mois par mois.",
     "Quels documents ?", "Sont-ils à jour ?", "Numérotez les annexes."),
]

# Steps left without an example, so that their tab folds.
SANS_EXEMPLE = {"0", "8", "9"}

GLOSSAIRE = [
    ("Avantage concurrentiel", "ce qui fait choisir l'entreprise plutôt que ses concurrents, et que ceux-ci ne copient pas vite."),
    ("Besoin en fonds de roulement", "l'argent immobilisé entre le paiement des fournisseurs et l'encaissement des clients."),
    ("Business model", "la manière dont l'entreprise crée de la valeur et se fait payer."),
    ("Chiffre d'affaires", "le total des ventes hors taxes d'une période."),
    ("Coût de revient", "tout ce que coûte une unité produite et vendue."),
    ("Marge brute", "le chiffre d'affaires moins le coût des marchandises vendues."),
    ("Plan de financement", "le tableau des besoins et des ressources des premières années."),
    ("Positionnement", "la place que le produit occupe dans l'esprit des clients face aux concurrents."),
    ("Segmentation", "le découpage du marché en groupes de clients aux besoins proches."),
    ("Seuil de rentabilité", "le chiffre d'affaires à partir duquel l'entreprise ne perd plus d'argent."),
    ("SWOT", "forces, faiblesses, opportunités et menaces (en anglais : Strengths, Weaknesses, Opportunities, Threats)."),
    ("Trésorerie", "l'argent dont l'entreprise dispose à un moment donné."),
]

AIDE = {
    "METHODE": ("Comment utiliser la méthode",
                ["La méthode vous guide en 45 étapes. Choisissez un chapitre, puis une étape.",
                 "Chaque étape a trois onglets : « Méthode », « Exemple » et « En savoir plus ». "
                 "Un onglet manque quand l'étape n'en a pas.",
                 "Écrivez votre texte dans le cadre du bas, puis cochez l'étape quand elle est finie."]),
    "GLOSSAIRE": ("Le glossaire",
                  ["Les mots en rouge soulignés sont expliqués dans le glossaire.",
                   "Cliquez sur l'un d'eux : sa définition s'affiche dans une bulle."]),
}

ENTETE = ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
          "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\n")
MARQUE = "\\'a4"


def rtf_texte(texte):
    """Windows-1252 text as RTF, [[word]] in red and underlined."""
    sortie = []
    for c in texte:
        o = ord(c.encode("cp1252"))
        if c in "\\{}":
            sortie.append("\\" + c)
        elif o >= 128:
            sortie.append("\\'%02x" % o)
        else:
            sortie.append(c)
    s = "".join(sortie)
    return re.sub(r"\[\[(.*?)\]\]", r"{\\cf1\\ul \1}", s)


def paragraphe(texte, style="\\fs20"):
    return "\\pard\\plain\\f0%s %s\\par\n" % (style, rtf_texte(texte))


def titre(texte):
    return "\\pard\\plain\\f0\\fs24\\b\\cf2 %s\\par\n" % rtf_texte(texte)


def document(sections):
    """Sections joined by the marker, which ends each one but the last."""
    corps = ""
    for i, s in enumerate(sections):
        if i:
            corps = corps[: -len("\\par\n")] + MARQUE + "\\par\n"
        corps += s
    return (ENTETE + corps + "}\n").encode("cp1252")


def texte_methode(code, intitule, phrase, q1, q2, conseil, enfants):
    intro = titre(intitule) + paragraphe(phrase)
    if enfants:
        intro += paragraphe("Cette étape a %d sous-étapes : ouvrez-les une à une." % enfants)
    questions = titre("Les questions à se poser") + paragraphe("\u2013 " + q1) + paragraphe("\u2013 " + q2)
    return document([intro, questions, titre("Conseil") + paragraphe(conseil)])


def texte_exemple(intitule, phrase):
    exemple = titre("Exemple : " + intitule) + paragraphe(
        "La boulangerie « Au bon pain » a écrit : " + phrase[0].lower() + phrase[1:].replace("[[", "").replace("]]", ""),
        "\\fs20\\i")
    return document([exemple, titre("À retenir") + paragraphe("Court, chiffré, daté.")])


def texte_savoir(intitule):
    rubriques = ["Pourquoi cette étape ?", "Les erreurs à éviter", "Pour aller plus loin"]
    menu = "".join("\\pard\\plain\\f0\\fs20 (boule)\\tab %s\\par\n" % rtf_texte(r) for r in rubriques)
    textes = [
        "Le lecteur veut savoir où vous en êtes : « %s » le lui dit." % intitule,
        "Trop de détails, pas de chiffres, des sources oubliées.",
        "Relisez l'étape avec un conseiller ou un futur client.",
    ]
    return document([menu] + [titre(r) + paragraphe(t) for r, t in zip(rubriques, textes)])


def texte_glossaire():
    entrees = [paragraphe("%s* : %s" % (mot, definition)) for mot, definition in GLOSSAIRE]
    corps = "".join(e[: -len("\\par\n")] + MARQUE + "\\par\n" for e in entrees)
    return (ENTETE + corps + "}\n").encode("cp1252")


def texte_aide(intitule, lignes):
    corps = titre(intitule) + "".join(paragraphe(l) for l in lignes)
    return (ENTETE + corps + "}\n").encode("cp1252")


def marque(taille, vu):
    """A box, ticked in green when seen: 8-bit, white, black, green."""
    palette = [(255, 255, 255), (0, 0, 0), (0, 150, 0)]
    pixels = [[0] * taille for _ in range(taille)]
    for i in range(taille):
        for j in (0, taille - 1):
            pixels[i][j] = pixels[j][i] = 1
    if vu:
        # A tick from the lower left to the upper right (rows are top-down here).
        for x in range(2, taille - 2):
            y = taille - 4 - (x - 2) if x > taille // 3 else taille // 2 + (x - 2)
            for dy in (0, 1):
                if 1 <= y + dy < taille - 1:
                    pixels[y + dy][x] = 2
    return bmp(taille, taille, 8, palette, lignes_8bits(pixels))


def ecrire(chemin, octets):
    os.makedirs(os.path.dirname(chemin), exist_ok=True)
    with open(chemin, "wb") as f:
        f.write(octets)


def main():
    v21 = os.path.join(DOSSIER, "TEXTES", "V21")
    for code, intitule, enfants, phrase, q1, q2, conseil in ETAPES:
        ecrire(os.path.join(v21, "MET%s.RTF" % code), texte_methode(code, intitule, phrase, q1, q2, conseil, enfants))
        if enfants:
            continue
        if code not in SANS_EXEMPLE:
            ecrire(os.path.join(v21, "EXP%s.RTF" % code), texte_exemple(intitule, phrase))
        ecrire(os.path.join(v21, "SAV%s.RTF" % code), texte_savoir(intitule))
    for code, (intitule, lignes) in AIDE.items():
        ecrire(os.path.join(DOSSIER, "TEXTES", "aide", "%s.RTF" % code), texte_aide(intitule, lignes))
    ecrire(os.path.join(DOSSIER, "TEXTES", "GLOSSAIRE.RTF"), texte_glossaire())
    tableau = os.path.join(DOSSIER, "IMAGES", "TABLEAU")
    ecrire(os.path.join(tableau, "VU.BMP"), marque(20, True))
    ecrire(os.path.join(tableau, "PASVU.BMP"), marque(20, False))
    ecrire(os.path.join(tableau, "VU01.BMP"), marque(14, True))
    ecrire(os.path.join(tableau, "PASVU01.BMP"), marque(14, False))
    ecrire(os.path.join(DOSSIER, "boulertf.txt"), b"\\'95")


if __name__ == "__main__":
    main()
