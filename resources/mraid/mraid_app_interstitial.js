window.VIRA_mraidConfig = {placementType: 'interstitial'};
